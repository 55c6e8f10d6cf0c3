#include "client_kind.h"

#include "no_case.h"

namespace quorvel::standin {

std::string_view ClientTitle(ClientKind kind) {
    return kind == ClientKind::Mail ? "Internet Mail" : "Internet News";
}

std::string_view ClientWord(ClientKind kind) {
    return kind == ClientKind::Mail ? "mail" : "news";
}

std::optional<ClientKind> ClientFromWord(std::string_view word) {
    if (EqualNoCase(word, "mail")) {
        return ClientKind::Mail;
    }
    if (EqualNoCase(word, "news")) {
        return ClientKind::News;
    }
    return std::nullopt;
}

std::string JunctionFileName(ClientKind kind) {
    const std::string_view id = kind == ClientKind::Mail ? kMailClassId : kNewsClassId;
    return std::string(ClientTitle(kind)) + "." + std::string(id);
}

std::optional<ClientKind> ClientFromJunctionPath(std::string_view path) {
    const auto slash = path.find_last_of('/');
    const std::string_view name = slash == std::string_view::npos ? path : path.substr(slash + 1);
    const auto dot = name.find_last_of('.');
    if (dot == std::string_view::npos) {
        return std::nullopt;
    }
    const std::string_view ending = name.substr(dot + 1);
    if (EqualNoCase(ending, kMailClassId)) {
        return ClientKind::Mail;
    }
    if (EqualNoCase(ending, kNewsClassId)) {
        return ClientKind::News;
    }
    return std::nullopt;
}

}  // namespace quorvel::standin
