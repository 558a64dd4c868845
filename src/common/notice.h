#pragma once

#include <QList>
#include <QString>

enum class MessageIcon { Information, Exclamation, Critical };

// A message the core hands back for the window to show. The core never shows a dialog: it
// returns its notices in the order the user must see them, and the window shows each one
// through Prompts::message (see showNotices in platform/prompts.h).
struct Notice
{
    MessageIcon icon = MessageIcon::Information;
    QString title;
    QString text;

    bool operator==(const Notice &) const = default;
};

using Notices = QList<Notice>;
