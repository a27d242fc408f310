#include "Verdict.h"

#include <fstream>
#include <iterator>
#include <vector>

namespace {

bool readAll(const std::filesystem::path& path, std::vector<char>* bytes) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return false;
    }
    bytes->assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}

} // namespace

CVerdict compareBytes(const std::filesystem::path& expected, const std::filesystem::path& actual) {
    std::vector<char> a;
    std::vector<char> b;
    if (!readAll(expected, &a) || !readAll(actual, &b)) {
        return {false, "cannot be read"};
    }
    if (a == b) {
        return {true, "identical, " + std::to_string(a.size()) + " bytes"};
    }
    std::size_t at = 0;
    while (at < a.size() && at < b.size() && a[at] == b[at]) {
        ++at;
    }
    return {false, std::to_string(a.size()) + " vs " + std::to_string(b.size()) +
                       " bytes, first difference at byte " + std::to_string(at)};
}
