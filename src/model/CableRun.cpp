#include "model/CableRun.h"

#include <algorithm>

namespace brellic {

std::optional<std::size_t> FindCable(std::string_view name) {
    for (std::size_t i = 0; i < kCableTable.size(); ++i) {
        if (kCableTable[i].Name == name)
            return i;
    }
    return std::nullopt;
}

void RemoveRunLine(std::vector<CableRun>& runs, std::size_t line) {
    for (CableRun& run : runs) {
        std::erase_if(run.Lines, [line](const RunLine& fed) { return fed.Line == line; });
        for (RunLine& fed : run.Lines) {
            if (fed.Line > line)
                --fed.Line;
        }
    }
}

} // namespace brellic
