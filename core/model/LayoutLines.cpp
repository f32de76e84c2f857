#include "core/model/LayoutLines.h"

#include "core/base/FilePath.h"

#include <filesystem>
#include <system_error>

namespace plandor {

namespace layoutfile {

// One left-to-right pass, so "&amp;lt;" becomes the text "&lt;"; an unknown entity
// keeps its ampersand.
std::string unescapeText(std::string_view v) {
    static constexpr struct {
        std::string_view entity;
        char ch;
    } kEntities[] = {{"&lt;", '<'},  {"&gt;", '>'},   {"&quot;", '"'},
                     {"&amp;", '&'}, {"&#10;", '\n'}, {"&#13;", '\r'}};
    std::string out;
    out.reserve(v.size());
    std::size_t i = 0;
    while (i < v.size()) {
        std::size_t amp = v.find('&', i);
        if (amp == std::string_view::npos) {
            out.append(v.substr(i));
            break;
        }
        out.append(v.substr(i, amp - i));
        std::string_view rest = v.substr(amp);
        i = amp + 1;
        char ch = '&';
        for (const auto& e : kEntities) {
            if (rest.substr(0, e.entity.size()) == e.entity) {
                ch = e.ch;
                i = amp + e.entity.size();
                break;
            }
        }
        out += ch;
    }
    return out;
}

FileRead layoutFileSize(const std::string& path, std::size_t& size) {
    // Only regular files: a folder or a device such as /dev/zero is no layout.
    std::error_code ec;
    const auto bytes = std::filesystem::file_size(fsPath(path), ec);
    if (ec)
        return FileRead::Unreadable;
    if (bytes > kMaxFileBytes)
        return FileRead::TooLarge;
    size = static_cast<std::size_t>(bytes);
    return FileRead::Ok;
}
} // namespace layoutfile

FileRead readWholeFile(const std::string& path, std::string& content) {
    std::size_t size = 0;
    if (const FileRead sized = layoutfile::layoutFileSize(path, size); sized != FileRead::Ok)
        return sized;
    std::FILE* f = openFile(path, "rb");
    if (!f)
        return FileRead::Unreadable;
    content.clear();
    content.reserve(size);
    std::vector<char> chunk(1 << 16);
    std::size_t n = 0;
    // The file may grow while it is read; the limit holds all the same.
    while (content.size() <= layoutfile::kMaxFileBytes &&
           (n = std::fread(chunk.data(), 1, chunk.size(), f)) > 0)
        content.append(chunk.data(), n);
    const bool ok = !std::ferror(f);
    std::fclose(f);
    if (content.size() > layoutfile::kMaxFileBytes)
        return FileRead::TooLarge;
    return ok ? FileRead::Ok : FileRead::Unreadable;
}

} // namespace plandor
