#include "core/app/ShopMap.h"

#include "core/base/FilePath.h"
#include <cctype>
#include <fstream>
#include <sstream>

namespace plandor {

namespace {

constexpr const char* kAddressKey = "shop";
constexpr const char* kSecureScheme = "https://";
constexpr std::size_t kLongestVariantId = 20;

std::vector<std::string> fieldsOf(const std::string& line) {
    std::istringstream in(line);
    std::vector<std::string> fields;
    std::string field;
    while (in >> field)
        fields.push_back(field);
    return fields;
}

bool isVariantId(const std::string& s) {
    if (s.empty() || s.size() > kLongestVariantId)
        return false;
    for (char c : s)
        if (!std::isdigit(static_cast<unsigned char>(c)))
            return false;
    return true;
}

// The address ends up in front of "/cart/...": only plain host and path characters pass,
// so nothing in the file can smuggle a query, fragment or another scheme into the cart link.
bool isShopAddress(const std::string& s) {
    const std::string scheme = kSecureScheme;
    if (s.compare(0, scheme.size(), scheme) != 0 || s.size() == scheme.size() ||
        s[scheme.size()] == '/')
        return false;
    for (std::size_t i = scheme.size(); i < s.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(s[i]);
        if (!std::isalnum(c) && c != '-' && c != '.' && c != ':' && c != '/' && c != '_' &&
            c != '~')
            return false;
    }
    return true;
}

std::string withoutTrailingSlashes(std::string s) {
    while (!s.empty() && s.back() == '/')
        s.pop_back();
    return s;
}

std::string lineProblem(int lineNumber, const std::string& what) {
    return "line " + std::to_string(lineNumber) + ": " + what;
}

} // namespace

const std::string* ShopMap::variantOf(const std::string& part) const {
    auto it = variants.find(part);
    return it == variants.end() ? nullptr : &it->second;
}

ShopMapLoad readShopMap(std::istream& in) {
    ShopMapLoad load;
    std::string line;
    int lineNumber = 0;
    bool haveAddress = false;
    while (std::getline(in, line)) {
        ++lineNumber;
        if (lineNumber == 1 && line.compare(0, 3, "\xEF\xBB\xBF") == 0)
            line.erase(0, 3);
        const std::vector<std::string> fields = fieldsOf(line);
        if (fields.empty() || fields[0][0] == '#')
            continue;
        if (fields.size() != 2) {
            load.problems.push_back(lineProblem(lineNumber, "expected two fields"));
            continue;
        }
        if (fields[0] == kAddressKey) {
            const std::string address = withoutTrailingSlashes(fields[1]);
            if (haveAddress)
                load.problems.push_back(lineProblem(lineNumber, "second shop address ignored"));
            else if (!isShopAddress(address))
                load.problems.push_back(lineProblem(lineNumber, "not an https shop address"));
            else {
                load.shop.baseAddress = address;
                haveAddress = true;
            }
            continue;
        }
        if (!isVariantId(fields[1])) {
            load.problems.push_back(lineProblem(lineNumber, "variant id is not a decimal number"));
            continue;
        }
        if (!load.shop.variants.emplace(fields[0], fields[1]).second)
            load.problems.push_back(lineProblem(lineNumber, "repeated part " + fields[0]));
    }
    if (!haveAddress) {
        load.problems.push_back("no shop address: nothing can be bought");
        load.shop.variants.clear();
    }
    return load;
}

ShopMapLoad loadShopMap(const std::string& path) {
    std::ifstream in(fsPath(path), std::ios::binary);
    if (!in) {
        ShopMapLoad load;
        load.problems.push_back("Cannot open file: " + path);
        return load;
    }
    return readShopMap(in);
}

std::string shopHostName(const std::string& baseAddress) {
    std::string host = baseAddress;
    const std::size_t scheme = host.find("://");
    if (scheme != std::string::npos)
        host.erase(0, scheme + 3);
    const std::size_t slash = host.find('/');
    if (slash != std::string::npos)
        host.erase(slash);
    return host;
}

} // namespace plandor
