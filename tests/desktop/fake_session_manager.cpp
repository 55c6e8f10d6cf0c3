// A session manager (XSMP, through libSM) just big enough to end a session as a desktop's own
// does at a logout: it registers the clients that connect, and on SIGUSR1 asks each to save
// itself for a shutdown and then tells it to die.
//
// Usage: fake_session_manager ID_FILE
// Writes the address that SESSION_MANAGER must hold to ID_FILE once it listens, and what
// happens to standard output: "registered", "save yourself", "saved", "die", "closed",
// "gone"; it ends when the registered client has left.
#include <X11/ICE/ICElib.h>
#include <X11/SM/SMlib.h>
#include <poll.h>
#include <signal.h>
#include <sys/signalfd.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

namespace {

struct Manager {
    std::vector<IceConn> connections;
    std::vector<SmsConn> clients;
    bool clientLeft = false;
};

void Say(const char* what) {
    std::printf("%s\n", what);
    std::fflush(stdout);
}

// A client that goes away is not an error here; ICE's own handler would end this program.
void IgnoreIoError(IceConn) {}

// Every host is let in: the walk's X server and its clients are all on this machine.
Bool AnyHost(char* /*hostName*/) {
    return True;
}

Status RegisterClient(SmsConn client, SmPointer data, char* /*previousId*/) {
    char* id = SmsGenerateClientID(client);
    SmsRegisterClientReply(client, id);
    std::free(id);
    static_cast<Manager*>(data)->clients.push_back(client);
    Say("registered");
    return 1;
}

void InteractRequest(SmsConn client, SmPointer, int) {
    SmsInteract(client);
}
void InteractDone(SmsConn, SmPointer, Bool) {}
void SaveYourselfRequest(SmsConn, SmPointer, int, Bool, int, Bool, Bool) {}
void SaveYourselfPhase2Request(SmsConn client, SmPointer) {
    SmsSaveYourselfPhase2(client);
}
void SaveYourselfDone(SmsConn client, SmPointer, Bool) {
    Say("saved");
    SmsDie(client);
    Say("die");
}
void CloseConnection(SmsConn client, SmPointer data, int count, char** reasons) {
    SmFreeReasons(count, reasons);
    SmsCleanUp(client);
    static_cast<Manager*>(data)->clientLeft = true;
    Say("closed");
}
void SetProperties(SmsConn, SmPointer, int count, SmProp** properties) {
    for (int i = 0; i < count; ++i) {
        SmFreeProperty(properties[i]);
    }
    std::free(properties);
}
void DeleteProperties(SmsConn, SmPointer, int count, char** names) {
    for (int i = 0; i < count; ++i) {
        std::free(names[i]);
    }
    std::free(names);
}
void GetProperties(SmsConn client, SmPointer) {
    SmsReturnProperties(client, 0, nullptr);
}

Status NewClient(SmsConn, SmPointer data, unsigned long* mask, SmsCallbacks* callbacks,
                 char** /*failureReason*/) {
    *mask = SmsRegisterClientProcMask | SmsInteractRequestProcMask | SmsInteractDoneProcMask |
            SmsSaveYourselfRequestProcMask | SmsSaveYourselfP2RequestProcMask |
            SmsSaveYourselfDoneProcMask | SmsCloseConnectionProcMask | SmsSetPropertiesProcMask |
            SmsDeletePropertiesProcMask | SmsGetPropertiesProcMask;
    callbacks->register_client = {RegisterClient, data};
    callbacks->interact_request = {InteractRequest, data};
    callbacks->interact_done = {InteractDone, data};
    callbacks->save_yourself_request = {SaveYourselfRequest, data};
    callbacks->save_yourself_phase2_request = {SaveYourselfPhase2Request, data};
    callbacks->save_yourself_done = {SaveYourselfDone, data};
    callbacks->close_connection = {CloseConnection, data};
    callbacks->set_properties = {SetProperties, data};
    callbacks->delete_properties = {DeleteProperties, data};
    callbacks->get_properties = {GetProperties, data};
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: fake_session_manager ID_FILE\n");
        return 2;
    }
    Manager manager;
    IceSetIOErrorHandler(IgnoreIoError);
    char error[256] = "";
    int listenCount = 0;
    IceListenObj* listeners = nullptr;
    if (!IceListenForConnections(&listenCount, &listeners, sizeof error, error) ||
        !SmsInitialize("quorvel-test", "1.0", NewClient, &manager, AnyHost, sizeof error, error)) {
        std::fprintf(stderr, "fake_session_manager: %s\n", error);
        return 1;
    }
    for (int i = 0; i < listenCount; ++i) {
        IceSetHostBasedAuthProc(listeners[i], AnyHost);
    }
    char* address = IceComposeNetworkIdList(listenCount, listeners);
    const std::string idFile = argv[1];
    std::ofstream(idFile + ".new") << address << "\n";
    std::free(address);
    std::rename((idFile + ".new").c_str(), idFile.c_str());

    sigset_t signals;
    sigemptyset(&signals);
    sigaddset(&signals, SIGUSR1);
    sigaddset(&signals, SIGTERM);
    sigprocmask(SIG_BLOCK, &signals, nullptr);
    const int signalFd = signalfd(-1, &signals, SFD_CLOEXEC);

    while (!manager.clientLeft) {
        std::vector<pollfd> watched{{signalFd, POLLIN, 0}};
        for (int i = 0; i < listenCount; ++i) {
            watched.push_back({IceGetListenConnectionNumber(listeners[i]), POLLIN, 0});
        }
        for (IceConn connection : manager.connections) {
            watched.push_back({IceConnectionNumber(connection), POLLIN, 0});
        }
        if (poll(watched.data(), watched.size(), -1) < 0) {
            continue;
        }
        if ((watched[0].revents & POLLIN) != 0) {
            signalfd_siginfo info{};
            if (read(signalFd, &info, sizeof info) == sizeof info && info.ssi_signo == SIGTERM) {
                return 0;
            }
            for (SmsConn client : manager.clients) {
                SmsSaveYourself(client, SmSaveBoth, True, SmInteractStyleNone, False);
                Say("save yourself");
            }
        }
        for (int i = 0; i < listenCount; ++i) {
            if ((watched[1 + i].revents & POLLIN) != 0) {
                IceAcceptStatus status;
                if (IceConn connection = IceAcceptConnection(listeners[i], &status)) {
                    manager.connections.push_back(connection);
                }
            }
        }
        const std::vector<IceConn> connections = manager.connections;
        for (std::size_t i = 0; i < connections.size(); ++i) {
            if ((watched[1 + listenCount + i].revents & (POLLIN | POLLHUP)) == 0) {
                continue;
            }
            if (IceProcessMessages(connections[i], nullptr, nullptr) != IceProcessMessagesSuccess) {
                IceCloseConnection(connections[i]);
                std::erase(manager.connections, connections[i]);
                manager.clientLeft = !manager.clients.empty();
                Say("gone");
            }
        }
    }
    return 0;
}
