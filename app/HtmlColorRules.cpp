#include "app/HtmlColorRules.h"

namespace qm {

void AddHtmlColorRules(TDrawRules& Rules) {
    TColorRule& tags = Rules.Add();
    tags.Keywords = {u"<;HTML>"};
    tags.KeyBegEndLst = {u"<;>"};
    tags.KeyMaxHeight = 3;
    tags.DefKeyColor = kTagColor;
    TColorRule& quoted = Rules.Add();
    quoted.KeyBegEndLst = {u"\";\""};
    quoted.ZOrder = 1;
    quoted.DefKeyColor = kQuotedColor;
    TColorRule& comments = Rules.Add();
    comments.KeyBegEndLst = {u"<!--;-->"};
    comments.ZOrder = 1;
    comments.DefKeyColor = kCommentColor;
}

}  // namespace qm
