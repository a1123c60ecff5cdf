#include "page/document.h"

#include <gtest/gtest.h>

#include "page/document_builder.h"
#include "page/html_loader.h"

namespace orvex::page {
namespace {

std::unique_ptr<Document> load(std::string_view html) {
    return loadHtml(html);
}

// The single element of `name` in the document's `all` collection.
Element byName(Document& d, std::string_view name) {
    return d.all().item(name).element();
}

class SelectTest : public ::testing::Test {
  protected:
    void SetUp() override {
        doc = load(
            "<form><select name=pref><option value=13>東京都<option value=27 selected>大阪府"
            "<option>  京都\n 府 </option></select>"
            "<select name=multi multiple><option value=a selected>A<option value=b selected>B</select>"
            "<select name=box size=3><option>x<option>y</select>"
            "<select name=two><option selected>p<option selected>q</select></form>");
        pref = byName(*doc, "pref");
    }
    std::unique_ptr<Document> doc;
    Element pref;
};

// Tests that a list reports its options, the selected one and the values a browser gives.
TEST_F(SelectTest, ReadsOptionsAndSelection) {
    ASSERT_TRUE(pref);
    EXPECT_EQ(pref.type(), "select-one");
    EXPECT_EQ(pref.length(), 3);
    EXPECT_EQ(pref.selectedIndex(), 1);
    EXPECT_EQ(pref.value(), "27");
    EXPECT_EQ(pref.item(0).text(), "東京都");
    EXPECT_FALSE(pref.item(0).selected());
    // An option without a value attribute takes its text, blanks stripped and collapsed.
    EXPECT_EQ(pref.item(2).value(), "京都 府");
    EXPECT_EQ(pref.item(2).index(), 2);
    EXPECT_FALSE(pref.item(3));
    EXPECT_FALSE(pref.item(-1));
    EXPECT_EQ(byName(*doc, "multi").type(), "select-multiple");
}

// Tests the browser's initial selection: first option of a drop-down, nothing in a list box,
// the last of several selected options in a single-choice list.
TEST_F(SelectTest, InitialSelectionFollowsBrowserDefaults) {
    auto plain = load("<select name=s><option>a<option>b</select>");
    EXPECT_EQ(byName(*plain, "s").selectedIndex(), 0);
    EXPECT_EQ(byName(*doc, "box").selectedIndex(), -1);
    EXPECT_EQ(byName(*doc, "box").value(), "");
    EXPECT_EQ(byName(*doc, "two").selectedIndex(), 1);
    Element multi = byName(*doc, "multi");
    EXPECT_TRUE(multi.item(0).selected());
    EXPECT_TRUE(multi.item(1).selected());
}

// Tests that a list's value can only become one of its options' values.
TEST_F(SelectTest, ValueSelectsMatchingOptionOnly) {
    EXPECT_TRUE(pref.setValue("13"));
    EXPECT_EQ(pref.selectedIndex(), 0);
    EXPECT_EQ(pref.value(), "13");
    EXPECT_TRUE(pref.setValue("京都 府"));
    EXPECT_EQ(pref.selectedIndex(), 2);
    // A value no option has leaves the list without a selection.
    EXPECT_TRUE(pref.setValue("東京都"));
    EXPECT_EQ(pref.selectedIndex(), -1);
    EXPECT_EQ(pref.value(), "");
    EXPECT_TRUE(pref.setValue("0"));
    EXPECT_EQ(pref.value(), "");
}

// Tests that selected and selectedIndex keep each other in step.
TEST_F(SelectTest, SelectedAndSelectedIndexUpdateEachOther) {
    EXPECT_TRUE(pref.item(0).setSelected(true));
    EXPECT_EQ(pref.selectedIndex(), 0);
    EXPECT_FALSE(pref.item(1).selected());
    // Deselecting the only selected option of a drop-down falls back to the first option.
    EXPECT_TRUE(pref.item(0).setSelected(false));
    EXPECT_EQ(pref.selectedIndex(), 0);
    EXPECT_TRUE(pref.setSelectedIndex(2));
    EXPECT_TRUE(pref.item(2).selected());
    EXPECT_FALSE(pref.item(0).selected());
    EXPECT_TRUE(pref.setSelectedIndex(7));
    EXPECT_EQ(pref.selectedIndex(), -1);
    // A multiple list keeps its other selected options.
    Element multi = byName(*doc, "multi");
    EXPECT_TRUE(multi.item(0).setSelected(false));
    EXPECT_TRUE(multi.item(1).selected());
    EXPECT_EQ(multi.selectedIndex(), 1);
    EXPECT_FALSE(pref.setSelected(true));
    EXPECT_FALSE(byName(*doc, "box").item(0).setSelectedIndex(0));
}

class ControlTest : public ::testing::Test {
  protected:
    void SetUp() override {
        doc = load(
            "<form id=f1><input type=radio name=sex value=m checked><input type=radio name=sex value=f>"
            "<input type=checkbox name=news><input type=text name=zip value=100>"
            "<input type=number name=age><input type=file name=pic><textarea name=memo>\nhello</textarea>"
            "<input type=hidden name=token value=t></form>"
            "<form><input type=radio name=sex value=x checked></form>"
            "<input type=radio value=a checked><input type=radio value=b checked>");
    }
    std::unique_ptr<Document> doc;
};

// Tests that checking a radio button unchecks the others of its group, and only those.
TEST_F(ControlTest, RadioGroupIsNamePerForm) {
    ElementCollection sex = doc->all().item("sex").collection();
    ASSERT_EQ(sex.length(), 3);
    EXPECT_TRUE(sex.item(0).status());
    EXPECT_TRUE(sex.item(2).status());
    EXPECT_TRUE(sex.item(1).setStatus(true));
    EXPECT_FALSE(sex.item(0).status());
    EXPECT_TRUE(sex.item(1).status());
    // Same name in another form: another group.
    EXPECT_TRUE(sex.item(2).status());
    EXPECT_EQ(sex.item(1).value(), "f");
    // Unnamed buttons are groups of their own.
    ElementCollection inputs = doc->all().tags("input");
    Element a = inputs.item(inputs.length() - 2);
    Element b = inputs.item(inputs.length() - 1);
    EXPECT_TRUE(a.status());
    EXPECT_TRUE(b.status());
}

// Tests that of several initially checked buttons of one group the last stays checked.
TEST_F(ControlTest, InitialRadioGroupKeepsLastChecked) {
    auto d = load("<form><input type=radio name=r checked><input type=radio name=r checked></form>");
    ElementCollection r = d->all().item("r").collection();
    EXPECT_FALSE(r.item(0).status());
    EXPECT_TRUE(r.item(1).status());
}

// Tests check boxes and the refusal of status on elements that have no checked state.
TEST_F(ControlTest, StatusOnlyOnButtons) {
    Element news = byName(*doc, "news");
    EXPECT_EQ(news.value(), "on");
    EXPECT_TRUE(news.setStatus(true));
    EXPECT_TRUE(news.status());
    EXPECT_TRUE(news.setStatus(false));
    EXPECT_FALSE(news.status());
    EXPECT_FALSE(byName(*doc, "zip").setStatus(true));
    EXPECT_FALSE(byName(*doc, "zip").status());
}

// Tests the value rules of text inputs, numbers, files, hidden inputs and text areas.
TEST_F(ControlTest, ValuesFollowInputTypes) {
    Element zip = byName(*doc, "zip");
    EXPECT_EQ(zip.value(), "100");
    EXPECT_TRUE(zip.setValue("123\r\n-4567"));
    EXPECT_EQ(zip.value(), "123-4567");
    EXPECT_EQ(zip.attribute("value").value_or(""), "100");
    Element age = byName(*doc, "age");
    EXPECT_TRUE(age.setValue("35"));
    EXPECT_EQ(age.value(), "35");
    EXPECT_TRUE(age.setValue("35歳"));
    EXPECT_EQ(age.value(), "");
    Element pic = byName(*doc, "pic");
    EXPECT_FALSE(pic.setValue("/etc/passwd"));
    EXPECT_TRUE(pic.setValue(""));
    Element memo = byName(*doc, "memo");
    EXPECT_EQ(memo.type(), "textarea");
    EXPECT_EQ(memo.value(), "hello");
    EXPECT_TRUE(memo.setValue("a\r\nb\rc"));
    EXPECT_EQ(memo.value(), "a\nb\nc");
    // Hidden inputs keep their value in the attribute.
    Element token = byName(*doc, "token");
    EXPECT_TRUE(token.setValue("u"));
    EXPECT_EQ(token.attribute("value").value_or(""), "u");
    Element form = doc->all().item("f1").element();
    EXPECT_FALSE(form.setValue("x"));
    EXPECT_EQ(form.value(), "");
    EXPECT_EQ(zip.form(), form);
}

// Tests that text inputs and text areas without a layout box are never written, while lists
// and buttons are.
TEST(DocumentBuilderTest, UnrenderedTextFieldsRefuseValues) {
    DocumentBuilder b("https://example.jp/");
    int form = b.addElement(-1, "form", {});
    int text = b.addElement(form, "input", {{"type", "text"}, {"name", "a"}});
    int area = b.addElement(form, "textarea", {{"name", "b"}});
    int box = b.addElement(form, "input", {{"type", "checkbox"}, {"name", "c"}});
    b.setRendered(text, false);
    b.setRendered(area, false);
    b.setRendered(box, false);
    b.setValue(text, "typed");
    auto d = b.finish();
    Element input = byName(*d, "a");
    EXPECT_FALSE(input.rendered());
    EXPECT_EQ(input.value(), "typed");
    EXPECT_FALSE(input.setValue("x"));
    EXPECT_EQ(input.value(), "typed");
    EXPECT_FALSE(byName(*d, "b").setValue("x"));
    EXPECT_TRUE(byName(*d, "c").setStatus(true));
    EXPECT_TRUE(d->writeLog().size() == 1);
}

// Tests that the state a live page reports replaces the defaults computed from attributes.
TEST(DocumentBuilderTest, LiveStateOverridesDefaults) {
    DocumentBuilder b;
    int form = b.addElement(-1, "FORM", {});
    int select = b.addElement(form, "select", {{"name", "s"}});
    int first = b.addElement(select, "option", {{"value", "1"}, {"selected", ""}});
    int second = b.addElement(select, "option", {{"value", "2"}});
    int radio = b.addElement(form, "input", {{"type", "radio"}, {"name", "r"}});
    b.setSelected(first, false);
    b.setSelected(second, true);
    b.setChecked(radio, true);
    b.setValue(select, "ignored");
    auto d = b.finish();
    Element s = byName(*d, "s");
    EXPECT_EQ(s.selectedIndex(), 1);
    EXPECT_EQ(s.value(), "2");
    EXPECT_TRUE(byName(*d, "r").status());
    // The serialisation follows the live state, not the attributes.
    EXPECT_EQ(s.innerHTML(), "<OPTION value=1></OPTION><OPTION value=2 SELECTED></OPTION>");
}

// Tests that nodes must be added under an open element, in document order.
TEST(DocumentBuilderTest, RejectsParentsThatAreNotOpen) {
    DocumentBuilder b;
    int html = b.addElement(-1, "html", {});
    int body = b.addElement(html, "body", {});
    int p = b.addElement(body, "p", {});
    int text = b.addText(p, "x");
    EXPECT_EQ(b.addText(text, "y"), -1);
    int div = b.addElement(body, "div", {});  // closes P
    EXPECT_EQ(b.addElement(p, "span", {}), -1);
    EXPECT_EQ(b.addElement(div, "", {}), -1);
    EXPECT_GE(b.addElement(html, "footer", {}), 0);
    auto d = b.finish();
    EXPECT_EQ(d->elementCount(), 5);
    EXPECT_EQ(d->elementAt(2).children().length(), 0);
    EXPECT_EQ(d->elementAt(1).children().length(), 2);
    EXPECT_EQ(d->elementAt(4).parentElement().tagName(), "HTML");
}

// Tests lookup in `all`: by name and by id, one element or a collection in document order.
TEST(AllCollectionTest, LooksUpByNameAndId) {
    auto d = load(
        "<form name=f><input name=tel id=t1><div id=tel></div><input name=tel type=hidden>"
        "<div name=zip></div><input name=Zip><span id=only></span></form><form></form>");
    NamedItem tel = d->all().item("tel");
    ASSERT_TRUE(tel.isCollection());
    EXPECT_NE(tel.typeName().find("HTMLElementCollection"), std::string::npos);
    ASSERT_EQ(tel.collection().length(), 3);
    EXPECT_EQ(tel.collection().item(0).tagName(), "INPUT");
    EXPECT_EQ(tel.collection().item(1).tagName(), "DIV");
    EXPECT_EQ(tel.collection().item(2).type(), "hidden");
    EXPECT_LT(tel.collection().item(0).sourceIndex(), tel.collection().item(1).sourceIndex());
    // A DIV is not found by its name, and names are case-sensitive.
    EXPECT_TRUE(d->all().item("zip").empty());
    NamedItem only = d->all().item("only");
    EXPECT_FALSE(only.isCollection());
    EXPECT_EQ(only.element().tagName(), "SPAN");
    EXPECT_EQ(only.typeName().find("Collection"), std::string::npos);
    EXPECT_EQ(d->all().item("t1").element().name(), "tel");
    EXPECT_TRUE(d->all().item("").empty());
    EXPECT_EQ(d->all().tags("FORM").length(), 2);
    EXPECT_EQ(d->all().tags("form").length(), 2);
    EXPECT_EQ(d->all().tags("FOR").length(), 0);
    EXPECT_EQ(d->all().length(), d->elementCount());
    EXPECT_EQ(d->all().item("f").element().tagName(), "FORM");
}

// Tests that sourceIndex counts every element of the document, parser-made ones included.
TEST(AllCollectionTest, SourceIndexCountsAllElements) {
    auto d = load("<p>x</p><input name=a>");
    // HTML, HEAD, BODY, P, INPUT.
    ASSERT_EQ(d->elementCount(), 5);
    for (int i = 0; i < d->elementCount(); ++i) EXPECT_EQ(d->elementAt(i).sourceIndex(), i);
    EXPECT_EQ(byName(*d, "a").sourceIndex(), 4);
    EXPECT_EQ(byName(*d, "a").parentElement().tagName(), "BODY");
    EXPECT_FALSE(d->elementAt(5));
    EXPECT_FALSE(d->elementAt(-1));
}

// Tests the form owner: the `form` attribute's FORM first, else the nearest FORM ancestor; a
// radio group spans the controls of one owner.
TEST(ElementTest, FormOwnerFollowsFormAttribute) {
    auto d = load(
        "<form id=a><input type=radio name=r id=r1 checked></form><form id=b></form>"
        "<input type=radio name=r id=r2 form=a><input type=radio name=r id=r3 form=b checked>"
        "<input name=lost form=nothing><div id=c></div><input name=c form=c>");
    Element r2 = byName(*d, "r2");
    EXPECT_EQ(r2.form().id(), "a");
    EXPECT_TRUE(r2.setStatus(true));
    EXPECT_FALSE(byName(*d, "r1").status());
    EXPECT_TRUE(byName(*d, "r3").status());
    EXPECT_FALSE(byName(*d, "lost").form());
    EXPECT_FALSE(d->all().item("c").collection().item(1).form());
}

// Tests the interface names that tell an element from a collection.
TEST(ElementTest, ReportsInterfaceNames) {
    auto d = load("<form><input name=a><select name=b></select><b id=c></b></form>");
    EXPECT_EQ(byName(*d, "a").typeName(), "HTMLInputElement");
    EXPECT_EQ(byName(*d, "b").typeName(), "HTMLSelectElement");
    EXPECT_EQ(byName(*d, "c").typeName(), "HTMLElement");
    EXPECT_EQ(d->all().typeName(), "HTMLElementCollection");
    EXPECT_EQ(NamedItem().typeName(), "");
}

// Tests that a null handle reads empty and refuses writes.
TEST(ElementTest, NullHandleIsHarmless) {
    Element none;
    EXPECT_FALSE(none.setValue("x"));
    EXPECT_FALSE(none.setStatus(true));
    EXPECT_EQ(none.parentElement().parentElement().tagName(), "");
    EXPECT_EQ(none.innerHTML(), "");
    EXPECT_EQ(none.children().length(), 0);
    EXPECT_EQ(none.selectedIndex(), -1);
    EXPECT_EQ(none.sourceIndex(), -1);
}

// Tests that every write is logged in order with what a replay needs, and refused ones not.
TEST(WriteLogTest, RecordsWritesInOrder) {
    auto d = load(
        "<form><input name=a><select name=s><option>x<option>y</select>"
        "<input type=radio name=r value=1></form><p id=p>");
    byName(*d, "a").setValue("v");
    byName(*d, "s").item(1).setSelected(true);
    byName(*d, "s").setSelectedIndex(0);
    byName(*d, "r").setStatus(true);
    byName(*d, "p").setValue("refused");
    byName(*d, "a").scrollIntoView(true);
    const std::vector<WriteRecord>& log = d->writeLog();
    ASSERT_EQ(log.size(), 5u);
    int a = byName(*d, "a").sourceIndex();
    int s = byName(*d, "s").sourceIndex();
    EXPECT_EQ(log[0], (WriteRecord{a, "INPUT", "a", WriteKind::Value, "v", false, -1}));
    EXPECT_EQ(log[1], (WriteRecord{s, "SELECT", "s", WriteKind::OptionSelected, "", true, 1}));
    EXPECT_EQ(log[2], (WriteRecord{s, "SELECT", "s", WriteKind::SelectedIndex, "", false, 0}));
    EXPECT_EQ(log[3].kind, WriteKind::Checked);
    EXPECT_TRUE(log[3].flag);
    EXPECT_EQ(log[3].name, "r");
    EXPECT_EQ(log[4].kind, WriteKind::ScrollIntoView);
    d->clearWriteLog();
    EXPECT_TRUE(d->writeLog().empty());
}

// Tests url, title and window name of a document.
TEST(DocumentTest, ReportsUrlTitleAndWindowName) {
    LoadOptions options;
    options.url = "http://example.jp/entry/form.html";
    options.windowName = "main";
    auto d = loadHtml("<title>  応募\n フォーム </title><p>", options);
    EXPECT_EQ(d->url(), options.url);
    EXPECT_EQ(d->title(), "応募 フォーム");
    EXPECT_EQ(d->windowName(), "main");
    EXPECT_EQ(d->parentDocument(), nullptr);
    EXPECT_FALSE(d->frameElement());
    auto untitled = load("<p>");
    EXPECT_EQ(untitled->title(), "");
}

}  // namespace
}  // namespace orvex::page
