#pragma once
// The page reading engine: reads the HTML text of one form, cuts it into tokens, gives named
// inputs generated names, builds and scores blocks and decides the filling tags.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "engine/field_kind.h"
#include "engine/html_item_block.h"
#include "engine/rule_outcome.h"
#include "engine/text_rules.h"
#include "engine/token.h"

namespace orvex::engine {

/// A page name with a count: in NameCounts how many tags carried the name so far, in
/// GeneratedNames the occurrence (from 1, token order) of the page name that a generated name
/// stands for.
struct PageNameCount {
    Text pageName;
    int count = 0;
};

class clsHTMLItems {
  public:
    // ---- Results and state read by the later stages -----------------------------------------

    /// True when the form text contains "フリガナ".
    bool boolKatakanaFurigana = false;
    /// True when the form text contains "kv0" anywhere; set by every run, not by Clear.
    bool HasConventionPrefix = false;
    /// Token filter states: inside a select list, a table cell, a table row, a text area.
    bool InSelect = false;
    bool InCell = false;
    bool InRow = false;
    bool InTextArea = false;
    /// Set when a select list was marked as an age list.
    bool HasAgeSelect = false;
    /// Era flag of the filling stage; reset by Clear.
    bool UseEraYear = false;
    /// Filling-tag entries ("name=TAG"), in the order the stages append them.
    std::vector<Text> FillingTags;
    /// Where the last run of InterpretHTMLMain stopped on an error (the failing operation); empty
    /// when it ran through. Reset at the start of every run.
    std::string RunErrorAt;
    /// The blocks of the form in page order; position i (1-based) is Blocks[i - 1].
    std::vector<clsHTMLItemBlock> Blocks;

    /// Page name -> (page name, number of tags with that name seen so far). Never reset.
    std::unordered_map<Text, PageNameCount> NameCounts;
    /// Generated name ("kvnt" + number) -> (page name, occurrence of that page name). Never reset.
    std::unordered_map<Text, PageNameCount> GeneratedNames;
    /// Number of generated names given so far; never reset.
    std::int32_t NameCounter = 0;

    // ---- Decision state (filled by the field decision stages) -------------------------------

    /// Per kind (slot 0 unused): the positions of the blocks decided for it, or absent.
    std::array<std::optional<std::vector<int>>, kKindCount + 1> KindBlocks;
    /// Per kind (slot 0 unused): the kind's decider produced filling tags.
    std::array<bool, kKindCount + 1> KindDecided{};
    std::int32_t DecidedCount = 0;
    std::int32_t DecidedSum = 0;
    std::int32_t DecidedCenter = 0;
    /// Some block holds a select list marked "pref".
    bool HasPrefSelect = false;

    /// Which rules read the form and what Orvex's own stages changed; set after the run by the
    /// reader that chose the rules (nothing in the engine's own stages reads or resets it).
    RuleOutcome RuleStages;

    // ---- Pipeline ---------------------------------------------------------------------------

    /// Runs the whole pipeline over one form's text; true when at least one filling-tag entry
    /// was produced. Any failure ends the run with false; the state reached stays.
    bool InterpretHTMLMain(TextView html);

    /// Resets the filter states, the flags, FillingTags, Blocks and the token list (the name
    /// maps and NameCounter are kept).
    void Clear();
    /// Runs the token filter on `token` and appends the result to the token list unless empty.
    void AddToken(TextView token);

    /// First steps of the pipeline: Clear, remove comments, line ends and "&nbsp;", set the
    /// form flags, then tokenise, rename inputs and filter into the token list.
    void readTokens(TextView html);
    /// Block building and scoring: MakeBlocks, CheckNameAndKeyword, DivideBlock2, AdjustBlock.
    void buildBlocks();

    /// The current token list (filtered tokens until MakeBlocks consumes it).
    const TokenList& tokens() const { return m_tokens; }
    /// Replaces the token list (for tools and tests that start from tokens).
    void setTokens(TokenList tokens);

    /// The block at 1-based `position`; nullptr when out of range.
    clsHTMLItemBlock* blockAt(int position);
    const clsHTMLItemBlock* blockAt(int position) const;

    /// Maps a generated input name to (page name, occurrence among the elements of that page
    /// name); nothing when `name` does not begin with "kvnt" or has no entry.
    std::optional<PageNameCount> lookupGeneratedName(TextView name) const;

    // ---- Block building ---------------------------------------------------------------------

    /// Tidies the token list: one "<BR>" in front, runs of "<BR>" collapsed, texts joined,
    /// "$CR$" attached to the text before it, no "<BR>" at the end.
    void Sweep();
    /// Sweeps the token list and cuts it into Blocks at "<BR>" and "<ABSSEP>", then
    /// DivideBlock, SweepBlock, CleanBlocks. The tokens move into the blocks: the token list
    /// is empty afterwards.
    void MakeBlocks();
    /// Splits every block with Divide; a split-off block is examined next.
    void DivideBlock();
    /// Merges label lines into the following line and the lines of one radio group; drops a
    /// last block without tag.
    void SweepBlock();
    /// Removes every meaningless block.
    void CleanBlocks();
    /// Splits every block with Divide20; a split-off block is examined next.
    void DivideBlock2();
    /// Moves trailing labels with Adjust, then splits blocks with Adjust2.
    void AdjustBlock();
    /// Scores every block (Check), in order.
    void CheckNameAndKeyword();

    // ---- Later stages (convention names, field decision) ------------------------------------

    /// Maps convention names ("kv0...") straight to filling tags; `found` tells whether the
    /// form uses them (then the decision stages are skipped).
    void DecideConventionTags(bool& found);
    /// Assigns field kinds to blocks.
    void Decide();
    /// Extends decided kinds to neighbouring undecided blocks.
    void Complement();
    /// Withdraws a double full-name / name-reading assignment.
    void ResolveNameConfliction();
    /// Withdraws a double zip / city assignment.
    void ResolveZipCityConfliction();
    /// Runs the per-field deciders and fills FillingTags.
    void DecideFillingTags();

    // ---- Decision framework: shared operations (decide*.cpp, complement.cpp) -----------------
    // Positions are 1-based block positions. An operation that meets a position outside Blocks
    // or a missing KindBlocks list where one must exist throws RunError (run_error.h), which
    // ends the pipeline run with the result false.

    /// First pass for `kind`: the blocks without a special mark whose and-score is at least 2
    /// (else at least 1), narrowed by the candidate rule and marked decided; nothing when no
    /// block qualifies.
    std::optional<std::vector<int>> DecideByAnd(int kind);
    /// Second pass for `kind`: the eligible blocks (with a tag and no decided kind, or only
    /// NameKana when `kind` is FullName) of the best keyword level, narrowed by the candidate
    /// rule and marked decided; nothing when no block qualifies.
    std::optional<std::vector<int>> DecideByKeyword(int kind);
    /// Appends `kind` to the DecidedTypes of every block at `positions`, adds the positions to
    /// DecidedSum/DecidedCount and recomputes DecidedCenter; returns `positions` unchanged.
    /// Positions outside Blocks still count toward the centre; a sum that would overflow is
    /// left as it was.
    std::vector<int> MarkDecided(const std::vector<int>& positions, int kind);
    /// Number of runs of consecutive positions in an ascending list; 0 for an empty list.
    static int CountRuns(const std::vector<int>& positions);
    /// The run of `positions` nearest to DecidedCenter (the first run while the centre is 0,
    /// the earlier one on a tie), as the list of every position from its first to its last;
    /// empty for an empty list. `kind` is not used.
    std::vector<int> SelectNearestRun(const std::vector<int>& positions, int kind) const;
    /// The positions of the blocks holding a prefecture list (special "pref"); their City name
    /// and keyword scores are set to 1. Nothing when there is none.
    std::optional<std::vector<int>> CollectPrefBlocks();
    /// The input names of the blocks at `positions`, in order (CollectTags with `selectable`);
    /// empty for an empty list.
    std::vector<Text> CollectInputNames(const std::vector<int>& positions, bool selectable) const;
    /// Removes `kind` from the DecidedTypes of the blocks at `positions` and those positions
    /// from KindBlocks[kind]; the centre is not changed.
    void RemoveDecidedKind(std::vector<int> positions, int kind);
    /// The values of `list1` that equal a value of `list2`, once per equal pair (list1 outer,
    /// list2 inner); empty when either list is absent or empty.
    static std::vector<int> GetCollectionAnd(const std::optional<std::vector<int>>& list1,
                                             const std::optional<std::vector<int>>& list2);
    /// Removes every FillingTags entry containing `text` and returns their input names (the
    /// part before the first "="), in FillingTags order; empty when none contains it.
    std::vector<Text> TakeFillingTags(TextView text);
    /// Sorts `list` ascending in place by neighbour exchange.
    static void SortPositions(std::vector<int>& list);
    /// One sweep of Complement: undecided blocks with a tag next to the decided range take over
    /// a neighbour's kind (AndBlock), previous neighbour first.
    void ComplementSub();

    // ---- Per-field deciders (decide_<field>.cpp) ----------------------------------------------
    // Each Decide...Tags reads the KindBlocks list of its kind and appends "name=TAG" entries to
    // FillingTags; it returns true when it appended at least one entry, false (nothing
    // appended) when its list is absent or empty or its rules yield nothing.

    /// Zip code inputs of the zip blocks: ZIP, ZIP1/ZIP2, ZIPOPT or the whole address in one.
    bool DecideZipTags();
    /// Prefecture inputs: PREF, PREFSEL (page with a prefecture list) or PREF plus ZIPOPT.
    bool DecidePrefTags();
    /// Address inputs of the city blocks (or building blocks, or leftover ZIPOPT inputs); runs
    /// the building decider and stores its result in KindDecided[kApart].
    bool DecideCityTags();
    /// The last input of the building blocks (without the city blocks) gets ADDRESS3.
    bool DecideApartTags();
    /// Appends the address compositions for `names`; `cityList` (may be absent) supplies the
    /// block for the zip-and-other test. False when `names` is empty.
    bool DecideAddressTags(const std::optional<std::vector<int>>& cityList, const std::vector<Text>& names,
                           bool apartInCity);
    /// Full name inputs: NAME, NAME1/NAME2, or kanji and reading inputs of one block.
    bool DecideFullNameTags();
    /// Name reading inputs: NAME+script words, or both kanji and reading in one reading block.
    bool DecideNameKanaTags();
    /// The first input of the pen-name blocks gets HANDLENAME.
    bool DecideHandleNameTags();
    /// The script word ("ROME", "HIRAGANA", "KATAKANA") the labels of the blocks at `positions`
    /// ask for; "KATAKANA" when none answers and the page text holds "フリガナ", else "".
    Text GetKanaScript(const std::vector<int>& positions) const;
    /// Telephone inputs: TEL, TEL1 with TEL2+SYM_-+TEL3, or TEL1..TEL3.
    bool DecideTelTags();
    /// Fax inputs: FAX, FAX1 with FAX2+SYM_-+FAX3, or FAX1..FAX3.
    bool DecideFaxTags();
    /// E-mail inputs: EMAIL, EMAIL1/EMAIL2 or address and re-entry; nothing for 3 or 5+ inputs.
    bool DecideEmailTags();
    /// Age inputs (the marked age lists when no block was decided): AGE or AGE1/AGE2.
    bool DecideAgeTags();
    /// Birth-date inputs of the birth blocks; sets KindDecided of kinds 4 to 6 when it appends.
    bool DecideBirthDateTags();
    /// Gives the first era list ("yeartype" select) of the blocks at `positions` the tag
    /// BIRTHYEARTYPE and removes its name from `names`; nothing when there is none or when it
    /// is a list of years written with the era (more than ten era marks).
    void DecideYearTypeTags(const std::vector<int>& positions, std::vector<Text>& names);
    /// The first input of the sex blocks gets SEX.
    bool DecideSexTags();
    /// The first input of the marriage blocks gets MARRIAGE.
    bool DecideMarriageTags();
    /// The first input of the job blocks gets JOB.
    bool DecideJobTags();
    /// For each value of `other` in order, removes the last entry equal to it from `list` (at
    /// most one per value); nothing when `other` is empty.
    static void SubtractPositions(std::vector<int>& list, const std::vector<int>& other);
    /// The tag text after "name=" of the first FillingTags entry that begins with `name` and
    /// "="; "" when there is none.
    Text GetFillingTag(TextView name) const;

    // ---- Text tests -------------------------------------------------------------------------

    /// The text without half-width and full-width spaces.
    static Text RemoveSpaces(TextView text) { return engine::RemoveSpaces(text); }
    /// True when the text holds one of "才", "歳", "代" and a digit.
    static bool IsAgeText(TextView text) { return engine::IsAgeText(text); }

  private:
    /// The token filter: what a token becomes ("" drops it); updates the filter states.
    Text NormalizeToken(TextView token);
    /// What the token filter makes of a token.
    enum class TokenAction { Drop, Keep, SoftLineEnd, LineEnd, Separator };
    /// The token filter's decision on `token`; updates the filter states as NormalizeToken.
    TokenAction filterToken(TextView token);
    /// Appends what the filter makes of `token`, moving a kept token in without copying it.
    void addFilteredToken(Text&& token);
    /// Appends a token as the filter left it (not empty).
    void appendToken(Text&& token);
    /// The marker token an action leaves ("" for Drop and Keep).
    static Text markerToken(TokenAction action);
    /// Counts the tag's page name and, unless it is a radio button, renames it to a generated
    /// name, keeping the page name in `orgnm`.
    void AssignInputName(Text& tag);
    /// Appends " special=" + value before the final ">" of the last token beginning with "<"
    /// followed by `tagStart`; nothing when there is none.
    void MarkSpecial(TextView tagStart, TextView value);
    /// The `name` attribute of the block's first tag token; nothing when it has no tag.
    static std::optional<Text> FirstInputName(const clsHTMLItemBlock& block);
    /// Tests the text of a select list's option (caption or tag) and marks the select list.
    /// Returns true when the caption should leave a "$CR$" (prefecture or era list).
    bool markSelectByOption(TextView optionText);

    TokenList m_tokens;
    /// Index of the last token in m_tokens that begins with "<" (npos-like -1 when none), so
    /// MarkSpecial need not walk back over the option captions of a long select list.
    std::ptrdiff_t m_lastTagIndex = -1;
};

}  // namespace orvex::engine
