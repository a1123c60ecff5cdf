#pragma once
// A block: consecutive tokens of a form treated as one line (usually a label and its inputs),
// with its per-kind scores and decided kinds. Blocks are built by the engine's block building
// and addressed by their 1-based position in the engine's `Blocks` list.

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "engine/field_kind.h"
#include "engine/token.h"

namespace orvex::engine {

class clsHTMLItemBlock {
  public:
    /// The block holds at least one text token.
    bool HasText = false;
    /// The block holds at least one tag token.
    bool HasTag = false;
    /// Field kinds assigned by the decision stage; empty when the block is made.
    KindList DecidedTypes;
    /// The block was closed by "<ABSSEP>"; such a block is never merged with its neighbours.
    bool AbsoluteSeparater = false;
    /// The block's tokens in page order (text stored without blanks, tags unchanged).
    std::vector<Text> colToken;
    /// One kind list per token of `colToken` (the kinds whose dictionary matched that token);
    /// made by Check.
    std::vector<KindList> colDecidedTypes;

    // ---- Tokens and their text -------------------------------------------------------------

    /// Appends a token: a text token sets HasText and is stored without half-width and
    /// full-width spaces, a tag token sets HasTag and is stored unchanged.
    void AddToken(TextView token);
    /// Same as above, taking the token over instead of copying it.
    void AddToken(Text&& token);
    /// Appends every token of `other` in order through AddToken; `other` is not changed.
    void CatBlock(const clsHTMLItemBlock& other);
    /// All text tokens concatenated without separators and blanks ("$CR$" marks kept); "" when
    /// the block has no text.
    Text GetAllText() const;
    /// For the first tag token: element name and `type` attribute; false (outputs unchanged)
    /// when the block has no tag token.
    bool GetFirstTagType(Text& tagName, Text& typeName) const;
    /// True when some tag token's `special` attribute equals `value`; for an empty `value`,
    /// when some tag token has a non-empty `special` attribute.
    bool HasSpecial(TextView value) const;
    /// The text of the first tag token HasSpecial(value) would find; "" when none.
    Text GetSpecial(TextView value) const;
    /// Appends to `names`, in token order, the `name` attribute of every tag token; with
    /// `selectable` false, select lists, checkboxes and radio buttons are skipped.
    void CollectTags(std::vector<Text>& names, bool selectable) const;
    /// True when some text token, with every "$CR$" removed, holds one of the keywords (tested
    /// in order s1..s6; an empty keyword after s1 ends the list).
    bool SearchString(TextView s1, TextView s2 = {}, TextView s3 = {}, TextView s4 = {}, TextView s5 = {},
                      TextView s6 = {}) const;
    /// True when the block has no tokens or every token is empty once "$CR$" and half-width
    /// spaces are removed; a block with a tag token is never meaningless.
    bool IsMeaningless() const;

    /// For a tag token KindOfTag, for a text token KindOfText; -1 when no kind matches.
    static int KindOfToken(TextView token);
    /// The first kind (1..18) whose name dictionary scores the tag's `orgnm` value above 0; -1
    /// when none.
    static int KindOfTag(TextView tag);
    /// The first kind (1..18) whose keyword dictionary scores the text above 0; -1 when none.
    static int KindOfText(TextView text);
    /// True when more than one kind has both a name score and a keyword score above 0.
    bool IsMultiple() const;

    // ---- Scores ----------------------------------------------------------------------------

    /// Recomputes the four score arrays and `colDecidedTypes` from the block's tokens.
    void Check();
    /// The name score of `kind`; 0 (the empty value) when the kind's anti-keyword is set or the
    /// kind is outside 1..18.
    int GetCheckName(int kind) const;
    /// The keyword score of `kind`; 0 (the empty value) when the kind's anti-keyword is set or
    /// the kind is outside 1..18.
    int GetCheckKeyword(int kind) const;
    /// The and-score of `kind` (keyword score when label and names agree); 0 outside 1..18.
    int GetCheckAnd(int kind) const;
    /// Sets the name score of `kind` to 1; ignored outside 1..18.
    void SetCheckName(int kind);
    /// Sets the keyword score of `kind` to 1; ignored outside 1..18.
    void SetCheckKeyword(int kind);

    /// Raw score arrays for diagnostics; 0 for a kind outside 1..18.
    int nameScore(int kind) const { return isKind(kind) ? NameScore[kind] : 0; }
    int keywordScore(int kind) const { return isKind(kind) ? KeywordScore[kind] : 0; }
    int antiScore(int kind) const { return isKind(kind) ? AntiScore[kind] : 0; }
    int andScore(int kind) const { return isKind(kind) ? AndScore[kind] : 0; }

    // ---- Cutting and adjusting -------------------------------------------------------------

    /// For a block with a tag: cuts it where a second radio group or a different sort of
    /// input starts and returns the tail; nothing when there is no such place.
    std::optional<clsHTMLItemBlock> Divide();
    /// For a block holding several fields: cuts it before the first token of a second field
    /// kind, re-scores both parts and returns the tail; nothing otherwise.
    std::optional<clsHTMLItemBlock> Divide20();
    /// Moves this block's trailing label to the front of `nextBlock` when the label and the
    /// next block's first input point to the same kind; scores are left as they were.
    void Adjust(clsHTMLItemBlock& nextBlock);
    /// Cuts the block before a label that points to another kind than the labels before it,
    /// re-scores both parts and returns the tail; nothing otherwise. Recomputes HasText/HasTag.
    std::optional<clsHTMLItemBlock> Adjust2();
    /// Position of the cut before a second radio group; 0 when none.
    int GetDifferentRadio() const;
    /// Position of the cut before an input of another sort than the first; 0 when none. May
    /// insert the label "住所" before an address input that follows a prefecture list.
    int GetDifferentTypeTag();

    /// True when some kind has a keyword score of at least 1 (Adjust2 looks at such blocks only).
    bool hasKeyword() const;
    /// The label walk of Adjust2 without the cut: recomputes HasText/HasTag and returns the cut
    /// position, 0 when the labels all point the same way.
    int labelCutPosition();

    /// Moves tokens from 1-based position `p` to the end into a new block (through its
    /// AddToken) and returns it; this block's flags and scores are not recomputed.
    clsHTMLItemBlock moveTail(int p);

    // ---- Decision framework and convention names (complement.cpp, convention_tags.cpp) ------

    /// The kind this block takes over from its neighbour `other`: the first kind of other's
    /// DecidedTypes that this block's label or names also point to (anti flag clear), or 0 when
    /// that kind is outside 3..6 and the first inputs of the two blocks differ in element or
    /// type; -1 when no kind qualifies or `other` has none.
    int AndBlock(const clsHTMLItemBlock& other) const;
    /// Appends to `names`, in token order, the `orgnm` of every tag token whose `orgnm` begins
    /// with "kv0" (exact case); nothing when there is none.
    void CollectConventionTags(std::vector<Text>& names) const;

    // ---- Field tests used by the deciders (block_<field>_tests.cpp) -------------------------
    // The width of an input is the leading number of its `size` attribute rounded half to even;
    // a missing, empty, non-numeric or zero size counts as 20.

    /// True when the inputs form a 3+4 zip pair: a short hyphen text right after the first
    /// input, or two narrow inputs (size1 * 1.5 >= size2, both at most 10).
    bool Is2Zip() const;
    /// True when the first input that is not a select list is wider than 20; false without one.
    bool IsZipAndCity() const;
    /// True when the first input is at most a third as wide as the second (a missing second
    /// input counts as width 0).
    bool IsZipAndOther() const;
    /// Splits the inputs into a kanji group and a reading group at the first reading label
    /// (type1 0, type2 1) or kanji label (type1 1, type2 0) after an input; count1 and count2
    /// are the inputs before and after the split. type1/type2 stay unchanged without a split.
    void CheckNameKanaStruct(std::int32_t& type1, std::int32_t& count1, std::int32_t& type2,
                             std::int32_t& count2) const;
    /// Tags ("=NAME1", "=" + kanaWord + "1", ...) for a two-input name block, following the
    /// reading labels; nothing when the walk reads past the end of `names`.
    std::optional<std::vector<Text>> DecideNameKana2(const std::vector<Text>& names, TextView kanaWord) const;
    /// Tags for a four-input name block, as DecideNameKana2; an empty list when no tag matched,
    /// nothing when the walk reads past the end of `names`.
    std::optional<std::vector<Text>> DecideNameKana4(const std::vector<Text>& names, TextView kanaWord) const;
    /// True when a short text holding "-", "－", ")" or "）" stands between the first and the
    /// second input; false otherwise and without inputs.
    bool Is2Tel() const;
    /// True when the text asks for a re-entry ("もう", "確認", ...) or the first input is
    /// followed by a soft line end before the next input; false otherwise.
    bool EmailConfirm() const;
    /// True when no age word or text longer than 2 characters stands between the first two
    /// inputs and the first and last inputs are the same element.
    bool Is2Age() const;
    /// True when some text holds "19" or "１９".
    bool Check19() const;
    /// "BIRTHYEAR34" when a text before the first input holds "19" and a text after an input
    /// holds "年"; "BIRTHDATE" otherwise.
    Text CheckOneBirthTag() const;
    /// Birth-date tags ("=BIRTHYEAR", "=BIRTHMONTH", ...) read from the labels 年, 月, 日 between
    /// the inputs named `names`; nothing when a year, month or day input is missing or the walk
    /// reads past the end of `names`.
    std::optional<std::vector<Text>> DecideBirthDate(const std::vector<Text>& names) const;

    /// True when some kind of list1 and some kind of list2 are the same kind; false when either
    /// list is missing or empty.
    static bool KindListsMatch(const std::optional<KindList>& list1, const KindList& list2);
    /// a = b, or both are address kinds (10 to 12).
    static bool SameKind(int a, int b);

  private:
    using ScoreArray = std::array<std::int16_t, kKindCount + 1>;
    ScoreArray NameScore{};
    ScoreArray KeywordScore{};
    ScoreArray AntiScore{};
    ScoreArray AndScore{};
};

}  // namespace orvex::engine
