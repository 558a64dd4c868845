// Start-up benchmark: starts the program under its own Xvfb server several times and measures
// the time from exec to the main window being mapped (an X MapNotify of the window with the
// program's title, no polling) and the resident memory one second later. The same figures
// for a plain Qt Widgets window with the same furniture (startup_floor) give the floor.
//
// Every run uses a fresh copy of the program in a temporary folder and a fresh runtime
// directory, so no real settings file or single-instance channel is touched.
//
// Usage: bench_startup [RUNS]   (default 10; one warm-up run per program is not counted)

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <xcb/xcb.h>

#include <poll.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>
#include <vector>

namespace {

constexpr int MapTimeoutMs = 15000;

struct Sample
{
    double startMs = 0;
    double rssMiB = 0;
};

struct XServer
{
    std::unique_ptr<QProcess> process;
    QString display;
    xcb_connection_t *connection = nullptr;
    xcb_window_t root = 0;
    xcb_atom_t netWmName = 0;
    xcb_atom_t utf8String = 0;
};

xcb_atom_t atom(xcb_connection_t *c, const char *name)
{
    xcb_intern_atom_reply_t *reply =
        xcb_intern_atom_reply(c, xcb_intern_atom(c, 0, uint16_t(qstrlen(name)), name), nullptr);
    const xcb_atom_t result = reply ? reply->atom : xcb_atom_t(XCB_ATOM_NONE);
    std::free(reply);
    return result;
}

QString windowTitle(const XServer &x, xcb_window_t window)
{
    for (auto [property, type] : {std::pair{x.netWmName, x.utf8String},
                                  std::pair{xcb_atom_t(XCB_ATOM_WM_NAME), xcb_atom_t(XCB_ATOM_STRING)}}) {
        xcb_get_property_reply_t *reply = xcb_get_property_reply(
            x.connection, xcb_get_property(x.connection, 0, window, property, type, 0, 1024), nullptr);
        if (!reply)
            continue;
        const QString title = QString::fromUtf8(static_cast<const char *>(xcb_get_property_value(reply)),
                                                xcb_get_property_value_length(reply));
        std::free(reply);
        if (!title.isEmpty())
            return title;
    }
    return {};
}

std::optional<XServer> startXServer()
{
    for (int number = 91; number < 140; ++number) {
        if (QFile::exists(QStringLiteral("/tmp/.X%1-lock").arg(number)) ||
            QFile::exists(QStringLiteral("/tmp/.X11-unix/X%1").arg(number)))
            continue;
        XServer x;
        x.display = QStringLiteral(":%1").arg(number);
        x.process = std::make_unique<QProcess>();
        x.process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        x.process->start(QStringLiteral("Xvfb"), {x.display, QStringLiteral("-screen"), QStringLiteral("0"),
                                                  QStringLiteral("1280x1024x24"), QStringLiteral("-nolisten"),
                                                  QStringLiteral("tcp")});
        if (!x.process->waitForStarted(3000))
            return std::nullopt;
        const QByteArray name = x.display.toLatin1();
        const QDeadlineTimer deadline(5000);
        while (!deadline.hasExpired() && x.process->state() == QProcess::Running) {
            x.connection = xcb_connect(name.constData(), nullptr);
            if (!xcb_connection_has_error(x.connection))
                break;
            xcb_disconnect(x.connection);
            x.connection = nullptr;
            QThread::msleep(50);
        }
        if (!x.connection)
            continue;
        x.root = xcb_setup_roots_iterator(xcb_get_setup(x.connection)).data->root;
        const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
        xcb_change_window_attributes(x.connection, x.root, XCB_CW_EVENT_MASK, &mask);
        x.netWmName = atom(x.connection, "_NET_WM_NAME");
        x.utf8String = atom(x.connection, "UTF8_STRING");
        xcb_flush(x.connection);
        return x;
    }
    return std::nullopt;
}

// Waits for a top-level window whose title contains `needle` to be mapped.
bool waitForMappedWindow(XServer &x, const QString &needle, QProcess &program)
{
    const QDeadlineTimer deadline(MapTimeoutMs);
    pollfd fd{xcb_get_file_descriptor(x.connection), POLLIN, 0};
    while (!deadline.hasExpired()) {
        while (xcb_generic_event_t *event = xcb_poll_for_event(x.connection)) {
            bool found = false;
            if ((event->response_type & 0x7f) == XCB_MAP_NOTIFY) {
                const auto *map = reinterpret_cast<xcb_map_notify_event_t *>(event);
                found = windowTitle(x, map->window).contains(needle);
            }
            std::free(event);
            if (found)
                return true;
        }
        if (program.state() == QProcess::NotRunning && !program.waitForStarted(0))
            return false;
        ::poll(&fd, 1, 20);
    }
    return false;
}

double residentMiB(qint64 pid)
{
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toDouble() / 1024.0;
    return 0;
}

void drainEvents(XServer &x)
{
    while (xcb_generic_event_t *event = xcb_poll_for_event(x.connection))
        std::free(event);
}

std::optional<Sample> measure(XServer &x, const QString &programPath, const QString &needle)
{
    QTemporaryDir folder;
    QTemporaryDir runtime; // created with mode 0700, as a runtime directory must be
    const QString copy = folder.filePath(QFileInfo(programPath).fileName());
    if (!QFile::copy(programPath, copy))
        return std::nullopt;

    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), x.display);
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime.path());
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    QProcess program;
    program.setProcessEnvironment(env);
    program.setWorkingDirectory(folder.path());
    program.setProcessChannelMode(QProcess::ForwardedChannels);

    drainEvents(x);
    QElapsedTimer clock;
    clock.start();
    program.start(copy, {});
    const bool mapped = program.waitForStarted(5000) && waitForMappedWindow(x, needle, program);
    Sample sample;
    sample.startMs = double(clock.nsecsElapsed()) / 1e6;
    if (mapped) {
        QThread::sleep(1);
        sample.rssMiB = residentMiB(program.processId());
    }
    program.terminate();
    if (!program.waitForFinished(3000)) {
        program.kill();
        program.waitForFinished(3000);
    }
    if (!mapped)
        return std::nullopt;
    return sample;
}

struct Summary
{
    double medianMs = 0, minMs = 0, maxMs = 0, medianMiB = 0;
};

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

std::optional<Summary> run(XServer &x, const QString &path, const QString &needle, int runs)
{
    measure(x, path, needle); // warm-up: font and disk caches
    std::vector<double> times, memory;
    for (int i = 0; i < runs; ++i) {
        const std::optional<Sample> sample = measure(x, path, needle);
        if (!sample)
            return std::nullopt;
        times.push_back(sample->startMs);
        memory.push_back(sample->rssMiB);
    }
    return Summary{median(times), *std::min_element(times.begin(), times.end()),
                   *std::max_element(times.begin(), times.end()), median(memory)};
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const int runs = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10;

    std::optional<XServer> x = startXServer();
    if (!x) {
        std::fputs("bench_startup: could not start Xvfb (Debian package xvfb)\n", stderr);
        return EXIT_FAILURE;
    }

    struct Entry
    {
        const char *label;
        QString path;
        QString needle;
    };
    const Entry entries[] = {
        {"floor (plain Qt window)", QStringLiteral(STARTUP_FLOOR_PROGRAM), QStringLiteral("StartupFloor")},
        {"vardeko", QStringLiteral(VARDEKO_PROGRAM), QStringLiteral("Vardeko")},
    };
    std::printf("Start-up to the mapped main window under Xvfb, %d runs each (median, min, max),\n"
                "and resident memory 1 s after mapping (median); %d cores.\n",
                runs, QThread::idealThreadCount());
    std::optional<Summary> results[2];
    for (int i = 0; i < 2; ++i) {
        results[i] = run(*x, entries[i].path, entries[i].needle, runs);
        if (results[i])
            std::printf("%-26s %8.1f ms  (min %.1f, max %.1f)  %6.1f MiB\n", entries[i].label,
                        results[i]->medianMs, results[i]->minMs, results[i]->maxMs, results[i]->medianMiB);
        else
            std::printf("%-26s no main window within %d ms\n", entries[i].label, MapTimeoutMs);
    }
    if (results[0] && results[1])
        std::printf("ratio vardeko / floor: time %.2f, memory %.2f\n",
                    results[1]->medianMs / results[0]->medianMs,
                    results[1]->medianMiB / results[0]->medianMiB);

    xcb_disconnect(x->connection);
    x->process->terminate();
    x->process->waitForFinished(3000);
    return results[0] && results[1] ? EXIT_SUCCESS : EXIT_FAILURE;
}
