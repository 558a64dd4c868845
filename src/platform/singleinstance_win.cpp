#include "platform/singleinstance.h"

#include <QTimer>
#include <QWinEventNotifier>

#include <array>
#include <memory>
#include <utility>
#include <vector>

#include <windows.h>

#include <sddl.h>

// Why a mutex and a named pipe: the mutex lives in the session's own namespace and the system
// releases it when its holder ends in any way, so it decides the first instance without ever
// going stale; the pipe carries the command as a byte stream that ends when the sender closes
// it, exactly as on Linux. Both objects admit the user's SID alone, the pipe refuses remote
// clients, and a sender checks that the pipe's server runs as the same user before it writes.
// A message window would reach any process of the desktop, also another user's.

namespace {
// Bounds waiting for a busy pipe (the first instance reads one sender at a time) and the
// write of the command.
constexpr DWORD SendTimeoutMs = 500;
// A sender that neither finishes nor disconnects is cut off after this long.
constexpr int ReadTimeoutMs = 5000;
constexpr DWORD ChunkBytes = 4096;
// After a failed wait for a sender the pipe is offered again this much later, not in a spin.
constexpr int ReconnectMs = 100;

struct HandleCloser
{
    void operator()(HANDLE handle) const { CloseHandle(handle); }
};
using Handle = std::unique_ptr<void, HandleCloser>;

Handle adopt(HANDLE handle)
{
    return Handle(handle == INVALID_HANDLE_VALUE ? nullptr : handle);
}

const wchar_t *wide(const QString &text)
{
    return reinterpret_cast<const wchar_t *>(text.utf16());
}

// The SID of the user this process runs as, in the TOKEN_USER buffer it came in.
std::vector<char> tokenUser(HANDLE process)
{
    HANDLE raw = nullptr;
    if (!OpenProcessToken(process, TOKEN_QUERY, &raw))
        return {};
    const Handle token(raw);
    DWORD size = 0;
    GetTokenInformation(token.get(), TokenUser, nullptr, 0, &size);
    std::vector<char> buffer(size);
    if (size == 0 || !GetTokenInformation(token.get(), TokenUser, buffer.data(), size, &size))
        return {};
    return buffer;
}

PSID sidOf(std::vector<char> &user)
{
    return user.empty() ? nullptr : reinterpret_cast<TOKEN_USER *>(user.data())->User.Sid;
}

QString sidText(PSID sid)
{
    wchar_t *text = nullptr;
    if (!sid || !ConvertSidToStringSidW(sid, &text))
        return QString();
    const QString result = QString::fromWCharArray(text);
    LocalFree(text);
    return result;
}

// A security descriptor whose only entry gives the user full access: no other user, not even
// one in the same session, can open the mutex or the pipe.
class UserOnlySecurity
{
public:
    explicit UserOnlySecurity(PSID user)
    {
        if (!user)
            return;
        const DWORD aclSize = DWORD(sizeof(ACL) + sizeof(ACCESS_ALLOWED_ACE) + GetLengthSid(user));
        m_acl.resize(aclSize);
        auto *acl = reinterpret_cast<PACL>(m_acl.data());
        m_valid = InitializeAcl(acl, aclSize, ACL_REVISION) &&
                  AddAccessAllowedAce(acl, ACL_REVISION, GENERIC_ALL, user) &&
                  InitializeSecurityDescriptor(&m_descriptor, SECURITY_DESCRIPTOR_REVISION) &&
                  SetSecurityDescriptorDacl(&m_descriptor, TRUE, acl, FALSE);
        m_attributes.nLength = sizeof m_attributes;
        m_attributes.lpSecurityDescriptor = &m_descriptor;
        m_attributes.bInheritHandle = FALSE;
    }
    SECURITY_ATTRIBUTES *attributes() { return m_valid ? &m_attributes : nullptr; }

private:
    std::vector<char> m_acl;
    SECURITY_DESCRIPTOR m_descriptor{};
    SECURITY_ATTRIBUTES m_attributes{};
    bool m_valid = false;
};

// True when the process at the server end of `pipe` runs as `user`.
bool serverIsUser(HANDLE pipe, PSID user)
{
    ULONG serverId = 0;
    if (!user || !GetNamedPipeServerProcessId(pipe, &serverId))
        return false;
    const Handle process(OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, serverId));
    if (!process)
        return false;
    std::vector<char> server = tokenUser(process.get());
    return sidOf(server) && EqualSid(sidOf(server), user);
}

// Writes all of `bytes` within SendTimeoutMs; a pipe that takes no more is given up on.
bool writeAll(HANDLE pipe, const QByteArray &bytes)
{
    const Handle event(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    if (!event)
        return false;
    qsizetype done = 0;
    while (done < bytes.size()) {
        OVERLAPPED overlapped{};
        overlapped.hEvent = event.get();
        const DWORD chunk = DWORD(qMin<qsizetype>(bytes.size() - done, ChunkBytes));
        DWORD written = 0;
        if (!WriteFile(pipe, bytes.constData() + done, chunk, nullptr, &overlapped) &&
            GetLastError() != ERROR_IO_PENDING)
            return false;
        if (WaitForSingleObject(event.get(), SendTimeoutMs) != WAIT_OBJECT_0) {
            CancelIoEx(pipe, &overlapped);
            GetOverlappedResult(pipe, &overlapped, &written, TRUE);
            return false;
        }
        if (!GetOverlappedResult(pipe, &overlapped, &written, FALSE))
            return false;
        done += qsizetype(written);
    }
    return true;
}
} // namespace

class SingleInstance::Channel
{
public:
    Channel(SingleInstance &owner, const QString &channelName);
    ~Channel();

    bool addressUsable() const { return m_usable; }
    bool send(const QString &command);
    bool listen();
    bool isListening() const { return bool(m_pipe); }

private:
    bool takeMutex();
    void releaseMutex();
    void waitForSender();
    void onEvent();
    void readMore();
    void startReading();
    void finishSender(bool deliver);

    SingleInstance &m_owner;
    std::vector<char> m_user; // TOKEN_USER of this process
    QString m_mutexName;
    QString m_pipeName;
    bool m_usable = false;

    Handle m_mutex; // held (owned) while this is the first instance
    Handle m_pipe;
    Handle m_event; // signalled when a connect or a read completes
    OVERLAPPED m_overlapped{};
    bool m_connected = false; // a sender is connected and being read
    bool m_pendingIo = false;
    std::array<char, ChunkBytes> m_chunk{};
    QByteArray m_received;
    QWinEventNotifier *m_notifier = nullptr;
    QTimer *m_readTimer = nullptr;
};

SingleInstance::Channel::Channel(SingleInstance &owner, const QString &channelName)
    : m_owner(owner), m_user(tokenUser(GetCurrentProcess()))
{
    const QString sid = sidText(sidOf(m_user));
    DWORD session = 0;
    ProcessIdToSessionId(GetCurrentProcessId(), &session);
    // The mutex lives in the session's namespace; pipe names are machine-wide, so the pipe's
    // name carries the session itself. Both carry the user, so two users never meet.
    const QString name = channelName + u'-' + sid;
    m_mutexName = QStringLiteral("Local\\") + name;
    m_pipeName = QStringLiteral("\\\\.\\pipe\\") + channelName + u'-' + QString::number(session) + u'-' + sid;
    m_usable = !sid.isEmpty() && !channelName.isEmpty() && !channelName.contains(u'\\') &&
               m_pipeName.size() <= 256 && m_mutexName.size() < MAX_PATH;
}

SingleInstance::Channel::~Channel()
{
    if (m_pipe) {
        m_notifier->setEnabled(false);
        if (m_pendingIo) {
            CancelIoEx(m_pipe.get(), &m_overlapped);
            DWORD ignored = 0;
            GetOverlappedResult(m_pipe.get(), &m_overlapped, &ignored, TRUE);
        }
        m_pipe.reset();
    }
    releaseMutex();
}

SingleInstance::SingleInstance(QString channelName, QObject *parent)
    : QObject(parent), m_channel(std::make_unique<Channel>(*this, channelName))
{}

// The channel goes first: its notifier, a child of this object, stops watching before the
// handles close.
SingleInstance::~SingleInstance() = default;

bool SingleInstance::sendToRunningInstance(const QString &command)
{
    return m_channel->send(command);
}

bool SingleInstance::listen()
{
    return m_channel->listen();
}

bool SingleInstance::isListening() const
{
    return m_channel->isListening();
}

bool SingleInstance::channelNameUsable() const
{
    return m_channel->addressUsable();
}

bool SingleInstance::Channel::send(const QString &command)
{
    if (!m_usable)
        return false;
    Handle pipe;
    for (int attempt = 0; attempt < 2 && !pipe; ++attempt) {
        // Identification only: a server may learn who writes, never act as this user.
        pipe = adopt(CreateFileW(wide(m_pipeName), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                 FILE_FLAG_OVERLAPPED | SECURITY_SQOS_PRESENT | SECURITY_IDENTIFICATION,
                                 nullptr));
        if (!pipe && (GetLastError() != ERROR_PIPE_BUSY || !WaitNamedPipeW(wide(m_pipeName), SendTimeoutMs)))
            return false;
    }
    if (!pipe || !serverIsUser(pipe.get(), sidOf(m_user)))
        return false;
    // The first instance may then bring its window to the front: this start was begun by
    // the user, so it holds the right to, which Windows denies a program in the background.
    ULONG serverId = 0;
    if (GetNamedPipeServerProcessId(pipe.get(), &serverId))
        AllowSetForegroundWindow(serverId);
    // Closing the handle is the end of the command: what was written stays for the reader.
    return writeAll(pipe.get(), command.toUtf8());
}

bool SingleInstance::Channel::takeMutex()
{
    if (m_mutex)
        return true;
    UserOnlySecurity security(sidOf(m_user));
    Handle mutex(CreateMutexW(security.attributes(), FALSE, wide(m_mutexName)));
    if (!mutex)
        return false;
    // WAIT_ABANDONED: the last holder ended without releasing it; it is this process's now.
    const DWORD waited = WaitForSingleObject(mutex.get(), 0);
    if (waited != WAIT_OBJECT_0 && waited != WAIT_ABANDONED)
        return false;
    m_mutex = std::move(mutex);
    return true;
}

void SingleInstance::Channel::releaseMutex()
{
    if (!m_mutex)
        return;
    ReleaseMutex(m_mutex.get());
    m_mutex.reset();
}

bool SingleInstance::Channel::listen()
{
    if (isListening())
        return true;
    if (!m_usable || !takeMutex())
        return false;
    UserOnlySecurity security(sidOf(m_user));
    // Holding the mutex, no pipe of an earlier instance can exist: a pipe of that name was made
    // by someone else, and this instance refuses to share it (FILE_FLAG_FIRST_PIPE_INSTANCE).
    Handle pipe = adopt(CreateNamedPipeW(
        wide(m_pipeName), PIPE_ACCESS_INBOUND | FILE_FLAG_OVERLAPPED | FILE_FLAG_FIRST_PIPE_INSTANCE,
        PIPE_TYPE_BYTE | PIPE_READMODE_BYTE | PIPE_WAIT | PIPE_REJECT_REMOTE_CLIENTS, 1, 0, DWORD(ChunkBytes),
        0, security.attributes()));
    Handle event(CreateEventW(nullptr, TRUE, FALSE, nullptr));
    if (!security.attributes() || !pipe || !event) {
        releaseMutex();
        return false;
    }
    m_pipe = std::move(pipe);
    m_event = std::move(event);
    m_notifier = new QWinEventNotifier(m_event.get(), &m_owner);
    QObject::connect(m_notifier, &QWinEventNotifier::activated, &m_owner, [this] { onEvent(); });
    m_readTimer = new QTimer(&m_owner);
    m_readTimer->setSingleShot(true);
    QObject::connect(m_readTimer, &QTimer::timeout, &m_owner, [this] { finishSender(false); });
    waitForSender();
    return true;
}

void SingleInstance::Channel::waitForSender()
{
    m_overlapped = OVERLAPPED{};
    m_overlapped.hEvent = m_event.get();
    ResetEvent(m_event.get());
    m_connected = false;
    if (ConnectNamedPipe(m_pipe.get(), &m_overlapped)) {
        SetEvent(m_event.get());
        m_pendingIo = true;
        return;
    }
    switch (GetLastError()) {
    case ERROR_IO_PENDING:
        m_pendingIo = true;
        break;
    case ERROR_PIPE_CONNECTED: // connected between creating the pipe and this call
    case ERROR_NO_DATA:        // connected, wrote and closed already: its bytes are still there
        m_pendingIo = false;
        startReading();
        break;
    default:
        m_pendingIo = false;
        DisconnectNamedPipe(m_pipe.get());
        QTimer::singleShot(ReconnectMs, &m_owner, [this] { waitForSender(); });
        break;
    }
}

void SingleInstance::Channel::startReading()
{
    m_connected = true;
    m_received.clear();
    m_readTimer->start(ReadTimeoutMs);
    readMore();
}

void SingleInstance::Channel::onEvent()
{
    if (!m_pendingIo)
        return;
    DWORD transferred = 0;
    const bool done = GetOverlappedResult(m_pipe.get(), &m_overlapped, &transferred, FALSE);
    if (!done && GetLastError() == ERROR_IO_INCOMPLETE)
        return; // still under way
    m_pendingIo = false;
    if (!m_connected) {
        if (!done && GetLastError() != ERROR_PIPE_CONNECTED && GetLastError() != ERROR_NO_DATA) {
            DisconnectNamedPipe(m_pipe.get());
            QTimer::singleShot(ReconnectMs, &m_owner, [this] { waitForSender(); });
            return;
        }
        startReading();
        return;
    }
    if (!done) {
        // The sender closed its end: the command is complete.
        finishSender(GetLastError() == ERROR_BROKEN_PIPE);
        return;
    }
    m_received.append(m_chunk.data(), qsizetype(transferred));
    if (m_received.size() > MaxCommandBytes)
        return finishSender(false);
    readMore();
}

void SingleInstance::Channel::readMore()
{
    m_overlapped = OVERLAPPED{};
    m_overlapped.hEvent = m_event.get();
    ResetEvent(m_event.get());
    // Completed at once or later, the event is signalled either way and onEvent takes the bytes.
    if (ReadFile(m_pipe.get(), m_chunk.data(), DWORD(m_chunk.size()), nullptr, &m_overlapped) ||
        GetLastError() == ERROR_IO_PENDING) {
        m_pendingIo = true;
        return;
    }
    finishSender(GetLastError() == ERROR_BROKEN_PIPE);
}

void SingleInstance::Channel::finishSender(bool deliver)
{
    if (!m_connected)
        return; // the timer fired as the sender finished
    m_readTimer->stop();
    if (m_pendingIo) {
        CancelIoEx(m_pipe.get(), &m_overlapped);
        DWORD ignored = 0;
        GetOverlappedResult(m_pipe.get(), &m_overlapped, &ignored, TRUE);
        m_pendingIo = false;
    }
    DisconnectNamedPipe(m_pipe.get());
    m_connected = false;
    const QByteArray command = std::exchange(m_received, QByteArray());
    waitForSender();
    if (deliver)
        m_owner.deliver(command);
}
