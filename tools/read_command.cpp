#include "tools/read_command.h"

#include <stdlib.h>

#include <cerrno>
#include <cstring>
#include <exception>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>

#include "engine/debug_view.h"
#include "fill/page_fill.h"
#include "fill/user_data_file.h"
#include "page/html_loader.h"
#include "page/serializer.h"
#include "settings/globals.h"
#include "settings/settings_store.h"
#include "tools/page_report.h"

namespace orvex::tools {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kUtf8Bom = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeBom = "\xFF\xFE";
constexpr std::string_view kUtf16BeBom = "\xFE\xFF";
constexpr std::string_view kFileScheme = "file://";
constexpr std::size_t kReadChunk = 64 * 1024;

std::string megabytes(std::size_t bytes) {
    return std::to_string(bytes / (1024 * 1024)) + " MB";
}

// Reads at most kMaxInputBytes + 1 bytes of `stream`, so that a larger input is noticed.
std::optional<std::string> readBounded(std::istream& stream) {
    std::string data;
    std::string chunk(kReadChunk, '\0');
    while (data.size() <= kMaxInputBytes) {
        stream.read(chunk.data(), static_cast<std::streamsize>(chunk.size()));
        data.append(chunk.data(), static_cast<std::size_t>(stream.gcount()));
        if (stream.eof()) return data;
        if (stream.fail()) return std::nullopt;
    }
    return data;
}

// A private temporary directory, removed with its contents.
class TempDir {
  public:
    TempDir() {
        std::error_code ec;
        std::string pattern = (fs::temp_directory_path(ec) / "orvex-read-XXXXXX").string();
        if (ec) pattern = "/tmp/orvex-read-XXXXXX";
        if (::mkdtemp(pattern.data()) != nullptr) m_path = pattern;
    }
    ~TempDir() {
        std::error_code ignored;
        if (!m_path.empty()) fs::remove_all(m_path, ignored);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const fs::path& path() const { return m_path; }

  private:
    fs::path m_path;
};

bool isVisible(const fill::clsUserInfo& person) {
    bool visible = false;
    return fill::parseBoolean(person.CheckVisible(), visible) && visible;
}

// The bytes of a frame's page for a local address; nothing for other addresses or unreadable files.
std::optional<std::string> localFrame(const std::string& url) {
    if (!url.starts_with(kFileScheme)) return std::nullopt;
    std::string path = url.substr(kFileScheme.size());
    const std::size_t cut = path.find_first_of("?#");
    if (cut != std::string::npos) path.resize(cut);
    std::istringstream none;
    std::string ignored;
    return readInput(path, none, ignored);
}

// The filled page as HTML: a UTF-8 byte-order mark (so that a META charset of the original does
// not mislead a browser) and the serialised top-level nodes.
std::string serializePage(const page::Document& document) {
    std::string html(kUtf8Bom);
    const std::vector<page::Node>& nodes = document.nodes();
    for (std::size_t i = 0; i < nodes.size(); ++i) {
        const page::Node& node = nodes[i];
        if (node.parent != -1) continue;
        if (node.kind == page::NodeKind::Element) {
            html += page::serializeOuter(document, static_cast<int>(i));
            html += '\n';
        } else if (node.kind == page::NodeKind::Comment) {
            html += "<!--" + node.text + "-->\n";
        }
    }
    return html;
}

bool saveFile(const std::string& file, const std::string& content, std::string& error) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    if (out) out.write(content.data(), static_cast<std::streamsize>(content.size()));
    if (out) out.close();
    if (!out) {
        error = "cannot write " + file + ": " + std::strerror(errno);
        return false;
    }
    return true;
}

// The address of a page file, for resolving its frames.
std::string fileUrl(const std::string& input) {
    if (input == "-") return {};
    std::error_code ec;
    const fs::path absolute = fs::absolute(input, ec);
    return std::string(kFileScheme) + (ec ? input : absolute.string());
}

std::string inputName(const std::string& input) {
    return input == "-" ? std::string("standard input") : input;
}

// The rules of the command line, else those the settings store names (Orvex's by default).
engine::RuleSet chosenRules(const ReadOptions& options) {
    if (options.rules) return *options.rules;
    const settings::SettingKey& key = settings::settingKey(u"Rules");
    return engine::parseRuleSet(settings::getSetting(key.name, key.def)).value_or(engine::RuleSet::Orvex);
}

// What Orvex's rule stages changed in a form, after the documented engine's view of its text.
void writeStageView(std::ostream& out, const fill::FormFillReport& form) {
    out << "== rule stages (orvex)" << (form.stageNotes.empty() ? ": nothing changed" : "") << '\n';
    for (const std::string& note : form.stageNotes) out << "  " << note << '\n';
    out << "== filling tags after the rule stages (" << form.entries.size() << ")\n";
    for (const std::string& entry : form.entries) out << "  " << entry << '\n';
}

int run(const ReadOptions& options, std::istream& in, std::ostream& out, std::ostream& err) {
    std::string error;
    const std::optional<std::string> bytes = readInput(options.input, in, error);
    if (!bytes) {
        err << "orvex-read: " << error << '\n';
        return kExitUnreadable;
    }

    std::optional<fill::clsUserInfo> person;
    if (!options.personFile.empty()) {
        person = loadPerson(options.personFile, options.personIndex, options.today, error);
        if (!person) {
            err << "orvex-read: " << error << '\n';
            return kExitUnreadable;
        }
    }
    const fill::clsUserInfo* filler = person ? &*person : nullptr;
    const engine::RuleSet rules = chosenRules(options);

    std::unique_ptr<page::Document> document;
    fill::PageFillReport report;
    if (options.formInput) {
        // The engine reads the text as given; a fill goes into a page holding that form.
        if (filler != nullptr) document = page::loadHtml("<form>" + *bytes + "</form>");
        report.forms.push_back(fill::readAndFillForm(*bytes, document.get(), filler, rules));
    } else {
        page::LoadOptions load;
        load.url = fileUrl(options.input);
        load.frameSource = localFrame;
        document = page::loadHtml(*bytes, load);
        report = fill::readAndFillPage(*document, filler, rules);
        if (report.forms.empty())
            err << "orvex-read: no FORM element in " << inputName(options.input) << '\n';
    }

    if (options.json) {
        out << reportToJson(report, options.mode == ReadMode::Forms)
                   .dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace)
            << '\n';
    } else if (options.mode == ReadMode::Forms) {
        writeFormTexts(out, report);
    } else if (options.mode == ReadMode::Debug) {
        for (const fill::FormFillReport& form : report.forms) {
            if (!options.formInput) out << "# form " << form.index << " action=\"" << form.action << "\"\n";
            engine::writeDebugView(out, form.text);
            if (rules == engine::RuleSet::Orvex) writeStageView(out, form);
        }
    } else if (filler != nullptr) {
        writeWrites(out, report);
    } else {
        writeEntries(out, report);
    }

    if (options.mode == ReadMode::Entries && !report.forms.empty()) {
        bool entries = false;
        bool writes = false;
        for (const fill::FormFillReport& form : report.forms) {
            entries = entries || !form.entries.empty();
            writes = writes || !form.writes.empty();
        }
        if (!entries)
            err << "orvex-read: nothing to fill in " << inputName(options.input) << '\n';
        else if (filler != nullptr && !writes)
            err << "orvex-read: nothing was written\n";
    }

    if (!options.outFile.empty() && document) {
        if (!saveFile(options.outFile, serializePage(*document), error)) {
            err << "orvex-read: " << error << '\n';
            return kExitUnreadable;
        }
    }
    return kExitOk;
}

}  // namespace

std::optional<std::string> readInput(const std::string& input, std::istream& in, std::string& error) {
    std::optional<std::string> data;
    if (input == "-") {
        data = readBounded(in);
        if (!data) {
            error = "cannot read standard input";
            return std::nullopt;
        }
    } else {
        std::error_code ec;
        const fs::file_status status = fs::status(input, ec);
        if (status.type() == fs::file_type::not_found || input.empty()) {
            error = "cannot read " + input + ": no such file";
            return std::nullopt;
        }
        if (fs::is_directory(status)) {
            error = "cannot read " + input + ": is a directory";
            return std::nullopt;
        }
        std::ifstream file(input, std::ios::binary);
        if (!file) {
            error = "cannot read " + input + ": " + std::strerror(errno);
            return std::nullopt;
        }
        data = readBounded(file);
        if (!data) {
            error = "cannot read " + input;
            return std::nullopt;
        }
    }
    if (data->size() > kMaxInputBytes) {
        error = inputName(input) + " is larger than " + megabytes(kMaxInputBytes) + ": not read";
        return std::nullopt;
    }
    const bool utf16 = data->starts_with(kUtf16LeBom) || data->starts_with(kUtf16BeBom);
    if (!utf16 && data->find('\0') != std::string::npos) {
        error = inputName(input) + " is not an HTML page (binary data)";
        return std::nullopt;
    }
    return data;
}

std::optional<fill::clsUserInfo> loadPerson(const std::string& file, std::optional<int> index,
                                            std::optional<fill::CalendarDate> today, std::string& error) {
    std::istringstream none;
    if (!readInput(file, none, error)) {
        error = "person file: " + error;
        return std::nullopt;
    }
    // The store reads "userdata.ini" of a directory: a file of another name is read from a copy.
    fs::path dataDir = fs::path(file).parent_path();
    if (dataDir.empty()) dataDir = ".";
    std::unique_ptr<TempDir> copy;
    if (fs::path(file).filename() != fill::kUserDataFileName) {
        copy = std::make_unique<TempDir>();
        std::error_code ec;
        if (!copy->path().empty())
            fs::copy_file(file, copy->path() / fill::kUserDataFileName, fs::copy_options::overwrite_existing,
                          ec);
        if (copy->path().empty() || ec) {
            error = "cannot read person file " + file + ": no temporary copy could be made";
            return std::nullopt;
        }
        dataDir = copy->path();
    }

    fill::TodayFunction clock = fill::localToday;
    if (today) clock = [date = *today] { return date; };
    for (int i = index.value_or(0); i <= (index ? *index : kMaxPersonIndex); ++i) {
        fill::clsUserInfo person(dataDir, clock);
        person.tag = fill::GetPersonTag(i);
        if (!isVisible(person)) continue;
        if (!person.GetFromProfile()) {
            error = "cannot read person file " + file;
            return std::nullopt;
        }
        return person;
    }
    error = index ? "person " + std::to_string(*index) + " of " + file + " is not visible"
                  : "no visible person in " + file;
    return std::nullopt;
}

int runRead(const ReadOptions& options, std::istream& in, std::ostream& out, std::ostream& err) {
    try {
        return run(options, in, out, err);
    } catch (const std::exception& e) {
        err << "orvex-read: " << e.what() << '\n';
        return kExitUnreadable;
    }
}

}  // namespace orvex::tools
