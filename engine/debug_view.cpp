#include "engine/debug_view.h"

#include <array>
#include <cstdio>
#include <exception>
#include <sstream>

#include "engine/field_kind.h"
#include "engine/html_items.h"
#include "text/text.h"

namespace orvex::engine {
namespace {

// Short column captions of the 18 kinds, slot 0 unused.
constexpr std::array<const char*, kKindCount + 1> kKindCaptions = {
    "",     "Name", "Kana", "Bdat", "Byr", "Bmon", "Bday", "Age",  "Sex", "Zip",
    "Pref", "City", "Apt",  "Tel",  "Fax", "Mail", "Hndl", "Marr", "Job"};
// Width of one score column.
constexpr int kColumnWidth = 5;

void writeColumn(std::ostream& out, const std::string& cell) {
    for (int pad = kColumnWidth - static_cast<int>(cell.size()); pad > 0; --pad) out << ' ';
    out << cell;
}

void writeScoreRow(std::ostream& out, const char* caption, const clsHTMLItemBlock& block,
                   int (clsHTMLItemBlock::*score)(int) const) {
    out << "    ";
    writeColumn(out, caption);
    out << ' ';
    for (int k = kFirstKind; k <= kLastKind; ++k) writeColumn(out, std::to_string((block.*score)(k)));
    out << '\n';
}

void writeKinds(std::ostream& out, const KindList* kinds) {
    if (!kinds) {
        out << "(none)";
        return;
    }
    if (kinds->empty()) {
        out << "-";
        return;
    }
    for (std::size_t i = 0; i < kinds->size(); ++i) {
        const int k = (*kinds)[i];
        out << (i ? " " : "") << k;
        if (isKind(k)) out << ':' << kKindCaptions[static_cast<std::size_t>(k)];
    }
}

void writeBlock(std::ostream& out, int position, const clsHTMLItemBlock& block) {
    out << "-- block " << position << "  HasText=" << block.HasText << " HasTag=" << block.HasTag
        << " AbsoluteSeparater=" << block.AbsoluteSeparater << '\n';
    for (std::size_t i = 0; i < block.colToken.size(); ++i) {
        out << "    [" << (i + 1) << "] " << text::toUtf8(block.colToken[i]) << "    kinds: ";
        writeKinds(out, i < block.colDecidedTypes.size() ? &block.colDecidedTypes[i] : nullptr);
        out << '\n';
    }
    out << "    ";
    writeColumn(out, "kind");
    out << ' ';
    for (int k = kFirstKind; k <= kLastKind; ++k)
        writeColumn(out, kKindCaptions[static_cast<std::size_t>(k)]);
    out << '\n';
    writeScoreRow(out, "name", block, &clsHTMLItemBlock::nameScore);
    writeScoreRow(out, "key", block, &clsHTMLItemBlock::keywordScore);
    writeScoreRow(out, "anti", block, &clsHTMLItemBlock::antiScore);
    writeScoreRow(out, "and", block, &clsHTMLItemBlock::andScore);
}

// Runs the convention stage and, when it finds nothing, the decision stages, then writes each
// block's decided kinds, the block lists per kind and the filling-tag entries.
void writeDecision(std::ostream& out, clsHTMLItems& engine) {
    bool found = false;
    engine.DecideConventionTags(found);
    if (!found) {
        engine.Decide();
        engine.Complement();
        engine.ResolveNameConfliction();
        engine.ResolveZipCityConfliction();
        engine.DecideFillingTags();
    }
    out << "== decided kinds" << (found ? " (convention names: stages skipped)" : "") << '\n';
    for (std::size_t i = 0; i < engine.Blocks.size(); ++i) {
        out << "  block " << (i + 1) << ": ";
        writeKinds(out, &engine.Blocks[i].DecidedTypes);
        out << '\n';
    }
    out << "== kind blocks\n";
    for (int k = kFirstKind; k <= kLastKind; ++k) {
        const auto& list = engine.KindBlocks[static_cast<std::size_t>(k)];
        if (!list) continue;
        out << "  " << k << ':' << kKindCaptions[static_cast<std::size_t>(k)] << " ->";
        for (const int p : *list) out << ' ' << p;
        out << (engine.KindDecided[static_cast<std::size_t>(k)] ? "  (tags)" : "") << '\n';
    }
    out << "== filling tags (" << engine.FillingTags.size() << ")\n";
    for (const Text& entry : engine.FillingTags) out << "  " << text::toUtf8(entry) << '\n';
}

}  // namespace

bool writeDebugView(std::ostream& out, std::string_view formHtml) {
    clsHTMLItems engine;
    try {
        engine.readTokens(text::fromUtf8(formHtml));
        const TokenList tokens = engine.tokens();
        out << "== tokens (" << tokens.size() << ")\n";
        for (std::size_t i = 0; i < tokens.size(); ++i)
            out << "  " << (i + 1) << "  " << text::toUtf8(tokens[i]) << '\n';

        engine.buildBlocks();
        out << "== blocks (" << engine.Blocks.size() << ")\n";
        for (std::size_t i = 0; i < engine.Blocks.size(); ++i)
            writeBlock(out, static_cast<int>(i) + 1, engine.Blocks[i]);
        // A form without blocks has nothing to decide.
        if (!engine.Blocks.empty()) writeDecision(out, engine);
        return true;
    } catch (const std::exception& e) {
        out << "== reading failed: " << e.what() << '\n';
    } catch (...) {
        out << "== reading failed\n";
    }
    return false;
}

std::string debugView(std::string_view formHtml) {
    std::ostringstream out;
    writeDebugView(out, formHtml);
    return out.str();
}

}  // namespace orvex::engine
