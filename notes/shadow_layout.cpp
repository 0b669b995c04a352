#include "notes/shadow_layout.h"

#include <algorithm>

namespace notes {
namespace {

constexpr int kBorder = 1;
constexpr int kFieldLeft = 4;
constexpr int kTop = 3;
constexpr int kImageGap = 4;  // between the field column and the images, and after them
constexpr int kHyphenWidth = 8;
constexpr int kWeekdayGap = 4;
constexpr int kTimesGap = 2;  // between the date and the times
constexpr int kGroupGap = 3;  // between one field and the next label

// A square image centred on the rows from `top` to `bottom`, at `left`.
Rect centred(int left, int top, int bottom) {
    return {left, top + (bottom - top - kShadowImageSize) / 2, kShadowImageSize, kShadowImageSize};
}

}  // namespace

ShadowLayout LayOutShadow(const ShadowLayoutInput& in) {
    const int labelHeight = std::max(in.labelHeight, kShadowLabelHeight);
    const int fieldHeight = std::max(in.fieldHeight, kShadowFieldHeight);
    const int weekdayWidth = std::max(in.weekdayWidth, 0);
    const bool repeats = in.repeatWidth > 0;
    const int repeatButton = labelHeight;
    const int fieldWidth =
        std::max({kShadowFieldWidth, in.labelWidth, 2 * in.timeFieldWidth + kHyphenWidth,
                  in.dateFieldWidth + kWeekdayGap + weekdayWidth,
                  repeats ? in.repeatWidth + kWeekdayGap + repeatButton : 0});
    const int fieldRight = kFieldLeft + fieldWidth;

    ShadowLayout out;
    const auto labelled = [&](Rect& label, int top) {
        label = {kFieldLeft, top, fieldWidth, labelHeight};
        return top + labelHeight;
    };
    const int dateTop = labelled(out.dateTimeLabel, kTop);
    out.weekday = {fieldRight - weekdayWidth, dateTop, weekdayWidth, fieldHeight};
    out.date = {kFieldLeft, dateTop,
                weekdayWidth > 0 ? fieldWidth - weekdayWidth - kWeekdayGap : fieldWidth,
                fieldHeight};

    int timesTop = out.date.bottom() + kTimesGap;
    if (repeats) {
        out.repeat = {kFieldLeft, timesTop, fieldWidth - kWeekdayGap - repeatButton, labelHeight};
        out.dropRepeat = {fieldRight - repeatButton, timesTop, repeatButton, repeatButton};
        timesTop = out.repeat.bottom() + kTimesGap;
    }
    const int timeWidth = (fieldWidth - kHyphenWidth) / 2;
    out.start = {kFieldLeft, timesTop, timeWidth, fieldHeight};
    out.hyphen = {out.start.right(), timesTop, kHyphenWidth, fieldHeight};
    out.end = {fieldRight - timeWidth, timesTop, timeWidth, fieldHeight};

    const int contactTop = labelled(out.contactLabel, out.start.bottom() + kGroupGap);
    out.address = {fieldRight - fieldHeight, contactTop, fieldHeight, fieldHeight};
    out.contact = {kFieldLeft, contactTop, out.address.left - 2 - kFieldLeft, fieldHeight};

    const int categoryTop = labelled(out.categoryLabel, out.contact.bottom() + kGroupGap);
    out.category = {kFieldLeft, categoryTop, fieldWidth, fieldHeight};

    const int imageLeft = fieldRight + kImageGap;
    out.dateTimeImage = centred(imageLeft, out.date.top, out.end.bottom());
    out.contactImage = centred(imageLeft, out.contactLabel.top, out.contact.bottom());
    out.categoryImage = centred(imageLeft, out.categoryLabel.top, out.category.bottom());

    out.width = imageLeft + kShadowImageSize + kImageGap;
    out.height = out.category.bottom() + kGroupGap + 2 * kBorder;
    out.imageColumnLeft = imageLeft - 2;
    out.placementButton = {out.width - kBorder - 2 - in.placementButtonSize, kBorder + 1,
                           in.placementButtonSize, in.placementButtonSize};
    return out;
}

}  // namespace notes
