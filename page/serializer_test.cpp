#include "page/serializer.h"

#include <gtest/gtest.h>

#include "page/html_loader.h"

namespace orvex::page {
namespace {

// The innerHTML of the first FORM of `html`.
std::string formHtml(std::string_view html) {
    auto d = loadHtml(html);
    return d->all().tags("FORM").item(0).innerHTML();
}

// Tests the element and attribute spelling and the quoting rule.
TEST(SerializerTest, WritesOldBrowserTagsAndQuotes) {
    EXPECT_EQ(formHtml("<form><Input TYPE=\"text\" Name='zip1' size=4 maxlength=\"8\"></form>"),
              "<INPUT type=text name=zip1 size=4 maxlength=8>");
    EXPECT_EQ(formHtml("<form><input name=\"a b\" value=\"\" class=x_y-z.1:2 title='say \"hi\"'></form>"),
              "<INPUT name=\"a b\" value=\"\" class=x_y-z.1:2 title=\"say &quot;hi&quot;\">");
    EXPECT_EQ(formHtml("<form><input name=姓 onclick=\"a=1\" action=/cgi-bin/x.cgi?a=1&b=2></form>"),
              "<INPUT name=\"姓\" onclick=\"a=1\" action=\"/cgi-bin/x.cgi?a=1&amp;b=2\">");
}

// Tests that an empty value is written bare for an attribute whose presence is its meaning and
// as ="" for any other, however the page wrote it: a live page cannot tell the two spellings apart.
TEST(SerializerTest, WritesEmptyValuesByAttribute) {
    EXPECT_EQ(formHtml("<form><input type=text name=a disabled readonly></form>"),
              "<INPUT type=text name=a disabled readonly>");
    EXPECT_EQ(formHtml("<form><input type=text name=a disabled=\"\"></form>"),
              "<INPUT type=text name=a disabled>");
    EXPECT_EQ(formHtml("<form><select name=p><option value>a</option><option value=\"\">b</option></select></form>"),
              "<SELECT name=p><OPTION value=\"\" SELECTED>a</OPTION><OPTION value=\"\">b</OPTION></SELECT>");
    EXPECT_EQ(formHtml("<form><input type=text name=a data-x></form>"), "<INPUT type=text name=a data-x=\"\">");
}

// Tests text escapes: entities decoded by the parser come back as characters, except
// "&", "<", ">" and the non-breaking space.
TEST(SerializerTest, EscapesTextAndKeepsNbsp) {
    EXPECT_EQ(formHtml("<form>A&amp;B &lt;c&gt; &copy;&#x3042;&nbsp;x&nbspy</form>"),
              "A&amp;B &lt;c&gt; ©あ&nbsp;x&nbsp;y");
    EXPECT_EQ(formHtml("<form>a > b < c</form>"), "a &gt; b &lt; c");
    EXPECT_EQ(formHtml("<form><input value=\"1&nbsp;2\"></form>"), "<INPUT value=\"1&nbsp;2\">");
}

// Tests that comments are kept and script text is written as it stands.
TEST(SerializerTest, KeepsCommentsAndRawText) {
    EXPECT_EQ(formHtml("<form>a<!-- x <b> -->b<script>if (a < b && c) {}</script></form>"),
              "a<!-- x <b> -->b<SCRIPT>if (a < b && c) {}</SCRIPT>");
}

// Tests nested tables: the parser's TBODY appears and every cell is closed.
TEST(SerializerTest, WritesNestedTables) {
    std::string html = formHtml(
        "<form><table><tr><td>氏名<td><table><tr><td><input name=n1><td><input name=n2></table>"
        "</table></form>");
    EXPECT_EQ(html,
              "<TABLE><TBODY><TR><TD>氏名</TD><TD><TABLE><TBODY><TR><TD><INPUT name=n1></TD>"
              "<TD><INPUT name=n2></TD></TR></TBODY></TABLE></TD></TR></TBODY></TABLE>");
}

// Tests malformed markup: misnested and unclosed tags come out as the parser repaired them.
TEST(SerializerTest, WritesRepairedMalformedMarkup) {
    EXPECT_EQ(formHtml("<form><b>1<i>2</b>3</i><p>para<br></form>"),
              "<B>1<I>2</I></B><I>3</I><P>para<BR></P>");
    EXPECT_EQ(formHtml("<form><select name=s><option>a<option>b</select><input name=x"),
              "<SELECT name=s><OPTION SELECTED>a</OPTION><OPTION>b</OPTION></SELECT>");
    EXPECT_EQ(formHtml("<form><font color=red><b>必須</font></b> <input name=q></form>"),
              "<FONT color=red><B>必須</B></FONT> <INPUT name=q>");
}

// Tests that current values, checked buttons and selected options are written as they stand.
TEST(SerializerTest, WritesCurrentState) {
    auto d = loadHtml(
        "<form><input type=text name=a value=old><input name=b><input type=radio name=r value=1 "
        "checked=checked id=r1><input type=radio name=r value=2><input type=checkbox name=c>"
        "<select name=s><option value=1 selected>x<option value=2>y</select>"
        "<textarea name=t>old &amp; text</textarea></form>");
    Element form = d->all().tags("FORM").item(0);
    EXPECT_EQ(
        form.innerHTML(),
        "<INPUT type=text name=a value=old><INPUT name=b><INPUT type=radio name=r value=1 CHECKED id=r1>"
        "<INPUT type=radio name=r value=2><INPUT type=checkbox name=c><SELECT name=s>"
        "<OPTION value=1 SELECTED>x</OPTION><OPTION value=2>y</OPTION></SELECT>"
        "<TEXTAREA name=t>old &amp; text</TEXTAREA>");
    d->all().item("a").element().setValue("山田 太郎");
    d->all().item("b").element().setValue("x<y");
    d->all().item("r").collection().item(1).setStatus(true);
    d->all().item("c").element().setStatus(true);
    d->all().item("s").element().setValue("2");
    d->all().item("t").element().setValue("new <text>");
    EXPECT_EQ(form.innerHTML(),
              "<INPUT type=text name=a value=\"山田 太郎\"><INPUT name=b value=\"x<y\">"
              "<INPUT type=radio name=r value=1 id=r1><INPUT type=radio name=r value=2 CHECKED>"
              "<INPUT type=checkbox name=c CHECKED><SELECT name=s><OPTION value=1>x</OPTION>"
              "<OPTION value=2 SELECTED>y</OPTION></SELECT><TEXTAREA name=t>new &lt;text&gt;</TEXTAREA>");
    EXPECT_EQ(d->all().item("t").element().innerHTML(), "new &lt;text&gt;");
}

// Tests that text right before the end of a form stays inside it, and that "</form" inside a
// comment, a text area or an attribute is kept as written.
TEST(SerializerTest, KeepsTextBeforeFormEnd) {
    EXPECT_EQ(formHtml("<form>ご住所 <input name=a> 様</form>後"), "ご住所 <INPUT name=a> 様");
    EXPECT_EQ(
        formHtml(
            "<FORM>x<!-- </form> --><textarea name=t>a</FORM>b</textarea><input title=\"</form>\"></FORM>"),
        "x<!-- </form> --><TEXTAREA name=t>a&lt;/FORM&gt;b</TEXTAREA><INPUT title=\"</form>\">");
    auto d = loadHtml("<form>a</form><p>b</p>");
    EXPECT_EQ(d->all().tags("BODY").item(0).innerHTML(), "<FORM>a</FORM><P>b</P>");
}

// Tests outerHTML against innerHTML and of void elements.
TEST(SerializerTest, OuterWrapsInner) {
    auto d = loadHtml("<form action=\"mailto:a@b.jp?subject=x\" method=post><br></form>");
    Element form = d->all().tags("FORM").item(0);
    EXPECT_EQ(form.outerHTML(), "<FORM action=\"mailto:a@b.jp?subject=x\" method=post><BR></FORM>");
    EXPECT_EQ(form.children().item(0).outerHTML(), "<BR>");
    EXPECT_EQ(form.children().item(0).innerHTML(), "");
    EXPECT_EQ(serializeOuter(*d, -1), "");
    EXPECT_EQ(serializeInner(*d, static_cast<int>(d->nodes().size())), "");
}

}  // namespace
}  // namespace orvex::page
