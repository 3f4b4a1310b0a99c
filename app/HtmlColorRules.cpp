#include "app/HtmlColorRules.h"

namespace qm {

void AddHtmlColorRules(TDrawRules& Rules) {
    TColorRule& tags = Rules.Add();
    tags.Keywords = {"<;HTML>"};
    tags.KeyBegEndLst = {"<;>"};
    tags.KeyMaxHeight = 3;
    tags.DefKeyColor = kTagColor;
    TColorRule& quoted = Rules.Add();
    quoted.KeyBegEndLst = {"\";\""};
    quoted.ZOrder = 1;
    quoted.DefKeyColor = kQuotedColor;
    TColorRule& comments = Rules.Add();
    comments.KeyBegEndLst = {"<!--;-->"};
    comments.ZOrder = 1;
    comments.DefKeyColor = kCommentColor;
}

}  // namespace qm
