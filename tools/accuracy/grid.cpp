#include "grid.hpp"

#include "registry/registry.hpp"

#include <charconv>
#include <fstream>
#include <sstream>
#include <stdexcept>

namespace kelvora::accuracy {

namespace {

DistributionId IdOf(const std::string& key) {
    for (const DistributionRow& row : DistributionRows()) {
        if (key == row.key) {
            return row.id;
        }
    }
    throw std::runtime_error("unknown distribution in the grid: " + key);
}

} // namespace

const char* DistributionKey(DistributionId id) {
    return RowOf(id).key.data(); // the keys are literals, so null-terminated
}

std::string NumberText(double v) {
    std::array<char, 32> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), v);
    return std::string(buffer.data(), result.ptr);
}

std::vector<GridCase> ReadGrid(GridSize size) {
    std::ifstream in(KELVORA_ACCURACY_GRID);
    if (!in) {
        throw std::runtime_error(std::string("cannot read the grid ") + KELVORA_ACCURACY_GRID);
    }
    std::vector<GridCase> grid;
    int sets = 0;
    std::string previous;
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#') {
            continue;
        }
        std::istringstream fields(line);
        GridCase c;
        std::string key;
        std::getline(fields, key, '\t');
        c.id = IdOf(key);
        for (std::string& text : c.texts) {
            std::getline(fields, text, '\t');
        }
        std::getline(fields, c.x, '\t');
        std::getline(fields, c.q, '\t');
        // The set: the key and the three texts, the first four columns.
        const std::string set = line.substr(0, line.size() - c.x.size() - c.q.size() - 2);
        sets += set != previous ? 1 : 0;
        previous = set;
        if (size == GridSize::Full || sets % 4 == 1) {
            grid.push_back(std::move(c));
        }
    }
    return grid;
}

} // namespace kelvora::accuracy
