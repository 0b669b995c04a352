#pragma once

class QStyle;

namespace notes::ui {

// The desktop's style with a narrower drop-down button on combo boxes, so that the shadow's
// small fields keep room for their text. One instance, owned by the application.
QStyle* compactComboStyle();

}  // namespace notes::ui
