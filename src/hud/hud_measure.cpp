#include "hud/hud_measure.h"

#include "graphics/font.h"

namespace {

// One line to measure, and where its extent goes.
struct Measured {
    const std::string* text;
    float scale;
    TextExtent* extent;
};

} // namespace

HudTexts measureHud(const Font& font, const HudLines& lines) {
    static const std::string figures = "0123456789.-";
    HudTexts texts;
    constexpr int singleLines = 9;
    Measured all[singleLines + statusLineCount] = {
        {&figures, statusScale, &texts.figures},
        {&lines.systemName, systemNameScale, &texts.systemName},
        {&lines.speed, aidLabelScale, &texts.speed},
        {&lines.score, scoreScale, &texts.score},
        {&lines.arrival, arrivalScale, &texts.arrival},
        {&lines.paused, pausedScale, &texts.paused},
        {&lines.destroyed[0], destroyedScale, &texts.destroyed[0]},
        {&lines.destroyed[1], figuresScale, &texts.destroyed[1]},
        {&lines.destroyed[2], figuresScale, &texts.destroyed[2]},
    };
    for (int i = 0; i < statusLineCount; ++i)
        all[singleLines + i] = Measured{lines.status[i], statusScale, &texts.status[i]};
    for (const Measured& m : all) {
        if (!m.text || m.text->empty())
            continue;
        // The outline reaches as far to the left and the right as up and down.
        TextExtent& extent = *m.extent;
        extent.advance = font.textWidth(*m.text, m.scale);
        extent.left = -font.outline;
        extent.right = extent.advance + font.outline;
        font.textHeight(*m.text, m.scale, extent.bottom, extent.top);
    }
    return texts;
}
