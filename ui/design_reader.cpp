#include "ui/design_reader.hpp"

#include "ui/cp1251.hpp"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstring>
#include <set>
#include <span>
#include <utility>

namespace temperament::ui {

DesignDataError::DesignDataError(int line, const std::string& problem)
    : std::runtime_error("window definition, line " + std::to_string(line) + ": " + problem), line_(line) {}

namespace {

using runtime::Int16;

struct SourceLine {
    int number;
    std::string_view text;  // decoded, without surrounding blanks
};

bool isBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view trim(std::string_view text) {
    while (!text.empty() && isBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back())) text.remove_suffix(1);
    return text;
}

// Bytes that may stand in the text: no control characters but the tab, and
// not 0x98, which has no character in Windows-1251.
constexpr std::array<bool, 256> isTextByte = [] {
    std::array<bool, 256> table{};
    for (std::size_t byte = 0; byte < table.size(); ++byte)
        table[byte] = (byte >= 0x20 || byte == '\t') && byte != 0x7F && byte != 0x98;
    return table;
}();

// Where the line from `start` ends: its '\n' or the end of the bytes.
std::size_t lineEnd(std::span<const unsigned char> bytes, std::size_t start) {
    if (start >= bytes.size()) return bytes.size();
    const void* newline = std::memchr(bytes.data() + start, '\n', bytes.size() - start);
    return newline == nullptr ? bytes.size()
                              : static_cast<std::size_t>(static_cast<const unsigned char*>(newline) - bytes.data());
}

// The lines of the definition that mean something (not blank, not comments),
// decoded into one buffer. Bytes that are no text are rejected on any line.
class SourceText {
public:
    explicit SourceText(std::span<const unsigned char> bytes) {
        struct Extent {
            int number;
            std::size_t offset;
            std::size_t length;
        };
        std::vector<Extent> extents;
        decoded_.reserve(bytes.size() * 2);
        int number = 1;
        for (std::size_t start = 0; start <= bytes.size(); ++number) {
            const std::size_t end = lineEnd(bytes, start);
            std::span<const unsigned char> line = bytes.subspan(start, end - start);
            start = end + 1;
            if (!line.empty() && line.back() == '\r') line = line.first(line.size() - 1);
            const auto wrong =
                std::find_if(line.begin(), line.end(), [](unsigned char byte) { return !isTextByte[byte]; });
            if (wrong != line.end()) {
                if (*wrong == 0x98) throw DesignDataError(number, "byte 0x98 has no character in Windows-1251");
                throw DesignDataError(number, "control character " + std::to_string(*wrong) + " in the text");
            }
            while (!line.empty() && isBlank(static_cast<char>(line.front()))) line = line.subspan(1);
            while (!line.empty() && isBlank(static_cast<char>(line.back()))) line = line.first(line.size() - 1);
            if (line.empty() || line.front() == '#') continue;
            const std::size_t offset = decoded_.size();
            appendWindows1251AsUtf8(decoded_, line);
            extents.push_back({number, offset, decoded_.size() - offset});
        }
        // Views are taken once the buffer has stopped growing.
        lines_.reserve(extents.size());
        for (const Extent& extent : extents) {
            lines_.push_back({extent.number, std::string_view(decoded_).substr(extent.offset, extent.length)});
        }
    }
    SourceText(const SourceText&) = delete;
    SourceText& operator=(const SourceText&) = delete;

    [[nodiscard]] const std::vector<SourceLine>& lines() const noexcept { return lines_; }

private:
    std::string decoded_;
    std::vector<SourceLine> lines_;
};

// One value as written on a line: after "Name =", or a line of a block.
class Scalar {
public:
    Scalar(std::string_view text, int line) : text_(text), line_(line) {}

    [[noreturn]] void fail(const std::string& problem) const { throw DesignDataError(line_, problem); }

    [[nodiscard]] std::int32_t integer(std::int32_t min, std::int32_t max) const {
        std::int32_t result = 0;
        const auto [end, error] = std::from_chars(text_.data(), text_.data() + text_.size(), result);
        if (error == std::errc::result_out_of_range || (error == std::errc{} && (result < min || result > max))) {
            fail("number " + std::string(text_) + " is outside " + std::to_string(min) + ".." + std::to_string(max));
        }
        if (error != std::errc{} || end != text_.data() + text_.size()) {
            fail("expected a whole number, found " + quoted());
        }
        return result;
    }

    [[nodiscard]] Int16 int16(std::int16_t min, std::int16_t max) const {
        return {static_cast<std::int16_t>(integer(min, max))};
    }

    // A colour as 0x00BBGGRR.
    [[nodiscard]] std::uint32_t colour() const {
        std::uint32_t result = 0;
        const bool shaped = text_.size() == 10 && text_.substr(0, 2) == "0x";
        const auto [end, error] = shaped ? std::from_chars(text_.data() + 2, text_.data() + text_.size(), result, 16)
                                         : std::from_chars_result{text_.data(), std::errc::invalid_argument};
        if (error != std::errc{} || end != text_.data() + text_.size() || result > 0x00FFFFFFu) {
            fail("expected a colour written 0x00BBGGRR, found " + quoted());
        }
        return result;
    }

    [[nodiscard]] bool boolean() const {
        if (text_ == "True") return true;
        if (text_ == "False") return false;
        fail("expected True or False, found " + quoted());
    }

    // One of the given words; returns its position in the list.
    [[nodiscard]] std::size_t word(std::initializer_list<std::string_view> words) const {
        const auto* const found = std::find(words.begin(), words.end(), text_);
        if (found != words.end()) return static_cast<std::size_t>(found - words.begin());
        std::string expected;
        for (const std::string_view each : words) expected += (expected.empty() ? "" : ", ") + std::string(each);
        fail("expected one of " + expected + ", found " + quoted());
    }

    // A string in double quotes; a doubled quote stands for one.
    [[nodiscard]] std::string string() const {
        if (text_.size() < 2 || text_.front() != '"' || text_.back() != '"') {
            fail("expected text in double quotes, found " + quoted());
        }
        std::string result;
        std::string_view rest = text_.substr(1, text_.size() - 2);
        for (std::size_t quote; (quote = rest.find('"')) != std::string_view::npos; rest.remove_prefix(quote + 2)) {
            if (quote + 1 == rest.size() || rest[quote + 1] != '"') fail("a quote inside text must be doubled");
            result.append(rest.substr(0, quote + 1));
        }
        result.append(rest);
        return result;
    }

    [[nodiscard]] std::span<const unsigned char> resource(std::span<const EmbeddedFile> files) const {
        const std::string name = string();
        const auto found =
            std::find_if(files.begin(), files.end(), [&](const EmbeddedFile& file) { return file.name == name; });
        if (found == files.end()) fail("no embedded file named \"" + name + "\"");
        return found->bytes;
    }

private:
    [[nodiscard]] std::string quoted() const {
        std::string result(1, '"');
        result.append(text_).push_back('"');
        return result;
    }

    std::string_view text_;
    int line_;
};

// What the definition sets a property to: one value, or a block of quoted
// lines between { and }.
struct Setting {
    Scalar single;
    std::vector<Scalar> lines;
    bool isBlock = false;

    [[nodiscard]] std::vector<std::string> strings() const {
        if (!isBlock) return {single.string()};
        std::vector<std::string> result;
        result.reserve(lines.size());
        for (const Scalar& line : lines) result.push_back(line.string());
        return result;
    }

    // Text as one string; each line of a block ends with CR LF.
    [[nodiscard]] std::string text() const {
        if (!isBlock) return single.string();
        std::string result;
        for (const Scalar& line : lines) result += line.string() + "\r\n";
        return result;
    }

    [[nodiscard]] const Scalar& scalar() const {
        if (isBlock) single.fail("this property takes one value, not a block");
        return single;
    }
};

constexpr unsigned bit(ControlKind kind) { return 1u << static_cast<unsigned>(kind); }
constexpr unsigned anyKind = 0x3Fu;

using Files = std::span<const EmbeddedFile>;

struct ControlProperty {
    std::string_view name;
    unsigned kinds;
    void (*set)(ControlDesign&, const Setting&, Files);
};

constexpr std::int32_t twipsLimit = 1'000'000;

// What each kind of control may say about itself.
const auto controlProperties = std::to_array<ControlProperty>({
    {"Left", anyKind,
     [](ControlDesign& c, const Setting& v, Files) { c.bounds.left = v.scalar().integer(-twipsLimit, twipsLimit); }},
    {"Top", anyKind,
     [](ControlDesign& c, const Setting& v, Files) { c.bounds.top = v.scalar().integer(-twipsLimit, twipsLimit); }},
    {"Width", anyKind,
     [](ControlDesign& c, const Setting& v, Files) { c.bounds.width = v.scalar().integer(0, twipsLimit); }},
    {"Height", anyKind,
     [](ControlDesign& c, const Setting& v, Files) { c.bounds.height = v.scalar().integer(0, twipsLimit); }},
    {"TabIndex", anyKind,
     [](ControlDesign& c, const Setting& v, Files) { c.tabIndex = v.scalar().int16(0, INT16_MAX); }},
    {"Visible", anyKind, [](ControlDesign& c, const Setting& v, Files) { c.visible = v.scalar().boolean(); }},
    {"BackColor", anyKind, [](ControlDesign& c, const Setting& v, Files) { c.backColor = v.scalar().colour(); }},
    {"AccessibleName", anyKind,
     [](ControlDesign& c, const Setting& v, Files) { c.accessibleName = v.scalar().string(); }},
    {"Caption", bit(ControlKind::Label) | bit(ControlKind::CheckBox) | bit(ControlKind::OptionButton),
     [](ControlDesign& c, const Setting& v, Files) { c.caption = v.scalar().string(); }},
    {"Alignment", bit(ControlKind::Label),
     [](ControlDesign& c, const Setting& v, Files) {
         c.alignment = static_cast<Alignment>(v.scalar().word({"Left", "Right", "Center"}));
     }},
    {"Text", bit(ControlKind::TextBox), [](ControlDesign& c, const Setting& v, Files) { c.text = v.text(); }},
    {"MultiLine", bit(ControlKind::TextBox),
     [](ControlDesign& c, const Setting& v, Files) { c.multiLine = v.scalar().boolean(); }},
    {"Locked", bit(ControlKind::TextBox),
     [](ControlDesign& c, const Setting& v, Files) { c.locked = v.scalar().boolean(); }},
    {"ScrollBars", bit(ControlKind::TextBox),
     [](ControlDesign& c, const Setting& v, Files) {
         c.scrollBars = static_cast<ScrollBars>(v.scalar().word({"None", "Horizontal", "Vertical", "Both"}));
     }},
    {"Value", bit(ControlKind::CheckBox),
     [](ControlDesign& c, const Setting& v, Files) { c.value = v.scalar().int16(0, 2); }},
    {"Selected", bit(ControlKind::OptionButton),
     [](ControlDesign& c, const Setting& v, Files) { c.selected = v.scalar().boolean(); }},
    {"List", bit(ControlKind::ListBox), [](ControlDesign& c, const Setting& v, Files) { c.items = v.strings(); }},
    {"Picture", bit(ControlKind::PictureBox),
     [](ControlDesign& c, const Setting& v, Files files) { c.picture = v.scalar().resource(files); }},
});

struct FormProperty {
    std::string_view name;
    void (*set)(FormDesign&, const Setting&, Files);
};

const auto formProperties = std::to_array<FormProperty>({
    {"Caption", [](FormDesign& f, const Setting& v, Files) { f.caption = v.scalar().string(); }},
    {"BackColor", [](FormDesign& f, const Setting& v, Files) { f.backColor = v.scalar().colour(); }},
    {"ClientWidth", [](FormDesign& f, const Setting& v, Files) { f.clientWidth = v.scalar().integer(1, twipsLimit); }},
    {"ClientHeight",
     [](FormDesign& f, const Setting& v, Files) { f.clientHeight = v.scalar().integer(1, twipsLimit); }},
    {"FontName", [](FormDesign& f, const Setting& v, Files) { f.font.name = v.scalar().string(); }},
    {"FontSize", [](FormDesign& f, const Setting& v, Files) { f.font.points = v.scalar().integer(1, 1638); }},
    {"FontWeight", [](FormDesign& f, const Setting& v, Files) { f.font.weight = v.scalar().integer(1, 1000); }},
    {"FontItalic", [](FormDesign& f, const Setting& v, Files) { f.font.italic = v.scalar().boolean(); }},
    {"FontUnderline", [](FormDesign& f, const Setting& v, Files) { f.font.underline = v.scalar().boolean(); }},
    {"FontStrikethrough", [](FormDesign& f, const Setting& v, Files) { f.font.strikethrough = v.scalar().boolean(); }},
    {"FontCharset", [](FormDesign& f, const Setting& v, Files) { f.font.charset = v.scalar().integer(0, 255); }},
    {"Icon", [](FormDesign& f, const Setting& v, Files files) { f.icon = v.scalar().resource(files); }},
});

constexpr std::array<std::string_view, 6> requiredFormProperties = {"Caption",      "BackColor", "ClientWidth",
                                                                    "ClientHeight", "FontName",  "FontSize"};
constexpr std::array<std::string_view, 5> requiredControlProperties = {"Left", "Top", "Width", "Height", "TabIndex"};

bool isName(std::string_view word) {
    if (word.empty() || std::isalpha(static_cast<unsigned char>(word.front())) == 0) return false;
    return std::all_of(word.begin(), word.end(),
                       [](char c) { return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '_'; });
}

// Splits "Begin Kind Name(3)" into its words.
std::vector<std::string_view> words(std::string_view text) {
    std::vector<std::string_view> result;
    while (!(text = trim(text)).empty()) {
        const auto* const end = std::find_if(text.begin(), text.end(), isBlank);
        result.push_back(text.substr(0, static_cast<std::size_t>(end - text.begin())));
        text.remove_prefix(result.back().size());
    }
    return result;
}

class Reader {
public:
    Reader(const std::vector<SourceLine>& lines, std::span<const EmbeddedFile> files) : lines_(lines), files_(files) {}

    FormDesign read() {
        FormDesign form;
        const SourceLine& first = next("the definition is empty: expected \"Begin Form <name>\"");
        const auto header = words(first.text);
        if (header.size() != 3 || header[0] != "Begin" || header[1] != "Form" || !isName(header[2])) {
            throw DesignDataError(first.number, "expected \"Begin Form <name>\"");
        }
        form.name = std::string(header[2]);
        form.line = first.number;
        Seen seen;
        for (;;) {
            const SourceLine& line = next("the form has no closing \"End\"");
            if (line.text == "End") break;
            if (line.text.starts_with("Begin ")) {
                form.controls.push_back(readControl(line));
                continue;
            }
            const NamedValue property = readProperty(line);
            const auto* rule = find<FormProperty>(formProperties, property.name);
            if (rule == nullptr) {
                throw DesignDataError(line.number,
                                      "unknown property \"" + std::string(property.name) + "\" of the form");
            }
            noteOnce(seen, property.name, line.number);
            rule->set(form, property.value, files_);
        }
        requireAll(seen, requiredFormProperties, first.number, "the form");
        if (position_ < lines_.size()) {
            throw DesignDataError(lines_[position_].number, "nothing may follow the form's \"End\"");
        }
        checkMembers(form.controls);
        return form;
    }

private:
    const SourceLine& next(const char* missing) {
        if (position_ == lines_.size()) {
            throw DesignDataError(lines_.empty() ? 1 : lines_.back().number, missing);
        }
        return lines_[position_++];
    }

    ControlDesign readControl(const SourceLine& begin) {
        const auto header = words(begin.text);
        if (header.size() != 3) throw DesignDataError(begin.number, "expected \"Begin <kind> <name>\"");
        const std::optional<ControlKind> kind = kindNamed(header[1]);
        if (!kind) throw DesignDataError(begin.number, "unknown control kind \"" + std::string(header[1]) + "\"");
        ControlDesign control;
        control.kind = *kind;
        control.line = begin.number;
        readMemberName(header[2], begin.number, control);

        Seen seen;
        for (;;) {
            const SourceLine& line = next("a control has no closing \"End\"");
            if (line.text == "End") break;
            if (line.text.starts_with("Begin ")) {
                throw DesignDataError(line.number, "controls cannot contain other controls");
            }
            const NamedValue property = readProperty(line);
            const auto* rule = find<ControlProperty>(controlProperties, property.name);
            if (rule == nullptr || (rule->kinds & bit(*kind)) == 0) {
                throw DesignDataError(line.number, "unknown property \"" + std::string(property.name) + "\" of " +
                                                       std::string(interfaceName(*kind)));
            }
            noteOnce(seen, property.name, line.number);
            rule->set(control, property.value, files_);
        }
        requireAll(seen, requiredControlProperties, begin.number, control.name);
        return control;
    }

    static void readMemberName(std::string_view word, int line, ControlDesign& control) {
        const auto open = word.find('(');
        if (open == std::string_view::npos) {
            if (!isName(word)) throw DesignDataError(line, "\"" + std::string(word) + "\" is not a control name");
            control.name = std::string(word);
            return;
        }
        if (!isName(word.substr(0, open)) || word.back() != ')') {
            throw DesignDataError(line, "expected a control name such as Check1 or Check1(0)");
        }
        control.name = std::string(word.substr(0, open));
        control.index = Scalar(word.substr(open + 1, word.size() - open - 2), line).int16(0, INT16_MAX);
    }

    // The properties a block has given so far; each may be given once.
    using Seen = std::vector<std::string_view>;

    struct NamedValue {
        std::string_view name;
        Setting value;
    };

    template <class Rule>
    static const Rule* find(std::span<const Rule> rules, std::string_view name) {
        const auto found = std::find_if(rules.begin(), rules.end(), [&](const Rule& r) { return r.name == name; });
        return found == rules.end() ? nullptr : &*found;
    }

    NamedValue readProperty(const SourceLine& line) {
        const auto equals = line.text.find('=');
        if (equals == std::string::npos) {
            throw DesignDataError(line.number, R"(expected "<property> = <value>", "Begin" or "End")");
        }
        const std::string_view name = trim(line.text.substr(0, equals));
        if (!isName(name)) throw DesignDataError(line.number, "\"" + std::string(name) + "\" is not a property name");
        const std::string_view text = trim(line.text.substr(equals + 1));
        if (text.empty()) throw DesignDataError(line.number, "property \"" + std::string(name) + "\" has no value");
        Setting value{Scalar(text, line.number), {}, text == "{"};
        if (value.isBlock) {
            for (;;) {
                const SourceLine& item = next("a block of lines has no closing \"}\"");
                if (item.text == "}") break;
                if (!item.text.starts_with('"')) {
                    throw DesignDataError(
                        item.number,
                        "expected a quoted line or the \"}\" closing the block of line " + std::to_string(line.number));
                }
                value.lines.emplace_back(item.text, item.number);
            }
        }
        return {name, value};
    }

    static void noteOnce(Seen& seen, std::string_view name, int line) {
        if (std::find(seen.begin(), seen.end(), name) != seen.end()) {
            throw DesignDataError(line, "property \"" + std::string(name) + "\" is given twice");
        }
        seen.push_back(name);
    }

    static void requireAll(const Seen& seen, std::span<const std::string_view> required, int line,
                           const std::string& owner) {
        for (const std::string_view name : required) {
            if (std::find(seen.begin(), seen.end(), name) == seen.end()) {
                throw DesignDataError(line, owner + " lacks the property \"" + std::string(name) + "\"");
            }
        }
    }

    // Members of one name share a kind, are all indexed or all single, and
    // never repeat; tab positions never repeat.
    static void checkMembers(const std::vector<ControlDesign>& controls) {
        std::set<Int16> tabs;
        for (auto current = controls.begin(); current != controls.end(); ++current) {
            if (!tabs.insert(current->tabIndex).second) {
                throw DesignDataError(current->line,
                                      "TabIndex " + runtime::toString(current->tabIndex) + " is already taken");
            }
            for (auto earlier = controls.begin(); earlier != current; ++earlier) {
                if (earlier->name != current->name) continue;
                if (earlier->kind != current->kind) {
                    throw DesignDataError(current->line,
                                          current->name + " is already a " + std::string(interfaceName(earlier->kind)));
                }
                if (earlier->index.has_value() != current->index.has_value()) {
                    throw DesignDataError(current->line, current->name + " mixes indexed and single controls");
                }
                if (earlier->index == current->index) {
                    throw DesignDataError(current->line, current->name + " is defined twice");
                }
            }
        }
    }

    const std::vector<SourceLine>& lines_;
    std::size_t position_ = 0;
    std::span<const EmbeddedFile> files_;
};

}  // namespace

FormDesign readFormDesign(std::span<const unsigned char> windows1251, std::span<const EmbeddedFile> resources) {
    const SourceText source(windows1251);
    return Reader(source.lines(), resources).read();
}

}  // namespace temperament::ui
