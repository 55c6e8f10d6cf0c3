#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quorvel::standin {

// The two programs of the mail and news client. Each is started through a junction file whose
// name ends in the program's class identifier; any copy with the same ending starts it too.
enum class ClientKind { Mail, News };

inline constexpr std::string_view kMailClassId = "{89292102-4755-11cf-9DC2-00AA006C2B84}";
inline constexpr std::string_view kNewsClassId = "{89292103-4755-11cf-9DC2-00AA006C2B84}";

// "Internet Mail" / "Internet News": the window title and the junction file's base name.
std::string_view ClientTitle(ClientKind kind);
// "mail" / "news", as the client role takes it on its command line.
std::string_view ClientWord(ClientKind kind);
std::optional<ClientKind> ClientFromWord(std::string_view word);
// "Internet Mail.{89292102-...}", the file the client puts into the Windows directory.
std::string JunctionFileName(ClientKind kind);
// Which client a junction file starts: the class identifier after the name's last dot, compared
// without regard to case as Windows compares them. Nullopt for any other ending.
std::optional<ClientKind> ClientFromJunctionPath(std::string_view path);

}  // namespace quorvel::standin
