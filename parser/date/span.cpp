// A bare span: "2 weeks", "three days", "month".
#include "date_grammar.h"

namespace sentex {

DatePhrase readSpan(DateScan& scan) {
    TokenList& tokens = scan.tokens;
    const Token* front = tokens.peek();
    if (!front) return DatePhrase::none();
    if (front->is(TokenClass::DATESPAN)) {
        tokens.take();
        return DatePhrase::span(1, front->value);
    }
    const Token* unit = tokens.peek(1);
    if ((front->is(TokenClass::NUMBER) || front->is(TokenClass::ALPHA)) && unit &&
        unit->is(TokenClass::DATESPAN) && front->value > 0) {
        tokens.drop(2);
        return DatePhrase::span(front->value, unit->value);
    }
    return DatePhrase::none();
}

}  // namespace sentex
