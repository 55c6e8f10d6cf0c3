// The .reg reader on any bytes: it reads steps or reports a line, and whatever values it reads,
// the writer writes a file that reads back as the same values.
#include <cstdint>
#include <variant>

#include "fuzz_check.h"
#include "registry/reg_file.h"
#include "registry/value_types.h"

using namespace quorvel::registry;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const RegFileParse parsed = ReadRegFile({data, size});
    if (const auto* error = std::get_if<RegFileError>(&parsed)) {
        FUZZ_CHECK(error->line >= 0 && !error->message.empty());
        return 0;
    }
    std::vector<RegFileKey> keys;
    std::vector<const RegFileOp*> written;
    for (const RegFileOp& op : std::get<std::vector<RegFileOp>>(parsed)) {
        FUZZ_CHECK(op.line >= 1);
        if (op.kind != RegFileOp::Kind::SetValue) {
            continue;
        }
        keys.push_back({std::string(RootName(op.root)) + "\\" + op.path,
                        {RawValue{op.name, op.type, op.data}}});
        written.push_back(&op);
    }
    const std::vector<std::uint8_t> file = WriteRegFile(keys);
    const RegFileParse reread = ReadRegFile(file);
    FUZZ_CHECK(std::holds_alternative<std::vector<RegFileOp>>(reread));
    std::size_t next = 0;
    for (const RegFileOp& op : std::get<std::vector<RegFileOp>>(reread)) {
        if (op.kind != RegFileOp::Kind::SetValue) {
            continue;
        }
        FUZZ_CHECK(next < written.size());
        const RegFileOp& original = *written[next++];
        FUZZ_CHECK(op.root == original.root && op.path == original.path);
        FUZZ_CHECK(op.name == original.name && op.type == original.type);
        FUZZ_CHECK(op.data == original.data);
    }
    FUZZ_CHECK(next == written.size());
    return 0;
}
