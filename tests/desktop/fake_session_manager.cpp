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

// Every host is let in: the walk's X server and its clients are all on this machine.
Bool AnyHost(char* /*hostName*/) {
    return True;
}

// Every request a client may make is answered, the properties only taken and freed.
Status NewClient(SmsConn, SmPointer data, unsigned long* mask, SmsCallbacks* callbacks, char**) {
    *mask = SmsRegisterClientProcMask | SmsInteractRequestProcMask | SmsInteractDoneProcMask |
            SmsSaveYourselfRequestProcMask | SmsSaveYourselfP2RequestProcMask |
            SmsSaveYourselfDoneProcMask | SmsCloseConnectionProcMask | SmsSetPropertiesProcMask |
            SmsDeletePropertiesProcMask | SmsGetPropertiesProcMask;
    callbacks->register_client = {[](SmsConn client, SmPointer manager, char*) -> Status {
                                      char* id = SmsGenerateClientID(client);
                                      SmsRegisterClientReply(client, id);
                                      std::free(id);
                                      static_cast<Manager*>(manager)->clients.push_back(client);
                                      Say("registered");
                                      return 1;
                                  },
                                  data};
    callbacks->interact_request = {[](SmsConn client, SmPointer, int) { SmsInteract(client); },
                                   data};
    callbacks->interact_done = {[](SmsConn, SmPointer, Bool) {}, data};
    callbacks->save_yourself_request = {[](SmsConn, SmPointer, int, Bool, int, Bool, Bool) {},
                                        data};
    callbacks->save_yourself_phase2_request = {
        [](SmsConn client, SmPointer) { SmsSaveYourselfPhase2(client); }, data};
    callbacks->save_yourself_done = {[](SmsConn client, SmPointer, Bool) {
                                         Say("saved");
                                         SmsDie(client);
                                         Say("die");
                                     },
                                     data};
    callbacks->close_connection = {[](SmsConn client, SmPointer manager, int count, char** why) {
                                       SmFreeReasons(count, why);
                                       SmsCleanUp(client);
                                       static_cast<Manager*>(manager)->clientLeft = true;
                                       Say("closed");
                                   },
                                   data};
    callbacks->set_properties = {[](SmsConn, SmPointer, int count, SmProp** properties) {
                                     for (int i = 0; i < count; ++i) {
                                         SmFreeProperty(properties[i]);
                                     }
                                     std::free(properties);
                                 },
                                 data};
    callbacks->delete_properties = {[](SmsConn, SmPointer, int count, char** names) {
                                        for (int i = 0; i < count; ++i) {
                                            std::free(names[i]);
                                        }
                                        std::free(names);
                                    },
                                    data};
    callbacks->get_properties = {
        [](SmsConn client, SmPointer) { SmsReturnProperties(client, 0, nullptr); }, data};
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: fake_session_manager ID_FILE\n");
        return 2;
    }
    Manager manager;
    // A client that goes away is not an error here; ICE's own handler would end this program.
    IceSetIOErrorHandler([](IceConn) {});
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
        IceAcceptStatus status;
        for (int i = 0; i < listenCount; ++i) {
            IceConn accepted = nullptr;
            if ((watched[1 + i].revents & POLLIN) != 0 &&
                (accepted = IceAcceptConnection(listeners[i], &status)) != nullptr) {
                manager.connections.push_back(accepted);
            }
        }
        const std::vector<IceConn> connections = manager.connections;
        for (std::size_t i = 0; i < connections.size(); ++i) {
            if ((watched[1 + listenCount + i].revents & (POLLIN | POLLHUP)) != 0 &&
                IceProcessMessages(connections[i], nullptr, nullptr) != IceProcessMessagesSuccess) {
                IceCloseConnection(connections[i]);
                std::erase(manager.connections, connections[i]);
                manager.clientLeft = !manager.clients.empty();
                Say("gone");
            }
        }
    }
    return 0;
}
