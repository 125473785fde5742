#include "truth.hpp"
#include "registry/registry.hpp"

#include "grid.hpp"

#include <array>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <optional>
#include <stdexcept>

namespace kelvora::accuracy {

namespace {

// The converted parameters the routines take, in the fields' order.
std::array<std::optional<double>, 3> ParameterNumbers(const DistributionParameters& p) {
    std::array<std::optional<double>, 3> numbers;
    for (std::size_t i = 0; i < numbers.size(); ++i) {
        numbers[i] = MemberValue(p, RowOf(p.id).members[i]);
    }
    return numbers;
}

Real ReadNumber(const char* text) {
    return std::strtold(text, nullptr); // also "nan", "inf", "-inf"; stops at the next tab
}

} // namespace

std::string CaseKey(const CaseValues& values, Output output) {
    std::string key = DistributionKey(values.params.id);
    for (const std::optional<double>& number : ParameterNumbers(values.params)) {
        key += '\t' + (number ? NumberText(*number) : std::string("-"));
    }
    key += '\t' + std::string(OutputName(output)) + '\t';
    switch (output) {
    case Output::Quantile:
        return key + NumberText(values.q);
    case Output::Mean:
    case Output::Variance:
        return key + '-';
    default:
        return key + NumberText(IsDiscrete(values.params.id) ? std::floor(values.x) : values.x);
    }
}

TruthTable::TruthTable(const std::string& path) {
    std::ifstream in(path);
    if (!in) {
        throw std::runtime_error("cannot read the truth table " + path);
    }
    constexpr std::size_t kKeyColumns = 6;
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#') {
            continue;
        }
        std::vector<std::size_t> tabs;
        for (std::size_t tab = line.find('\t'); tab != std::string::npos;
             tab = line.find('\t', tab + 1)) {
            tabs.push_back(tab);
        }
        if (tabs.size() < kKeyColumns) {
            throw std::runtime_error("malformed truth table line: " + line);
        }
        tabs.push_back(line.size());
        Truth& truth = truths_[line.substr(0, tabs[kKeyColumns - 1])];
        truth.value = ReadNumber(line.c_str() + tabs[kKeyColumns - 1] + 1);
        for (std::size_t i = kKeyColumns; i + 1 < tabs.size(); ++i) {
            truth.also.push_back(ReadNumber(line.c_str() + tabs[i] + 1));
        }
    }
}

const Truth* TruthTable::Find(const std::string& key) const {
    const auto found = truths_.find(key);
    return found == truths_.end() ? nullptr : &found->second;
}

const char* TruthTablePath() {
    return KELVORA_ACCURACY_TRUTH;
}

} // namespace kelvora::accuracy
