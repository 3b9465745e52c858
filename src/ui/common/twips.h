// The windows' fixed layouts are given in twips, 15 to a pixel at 96 dpi. A scale above 1 enlarges
// the whole arrangement evenly when the fonts in use would not fit the original sizes.
#pragma once

#include <QRect>
#include <QtGlobal>

namespace bb::ui {

class Twips {
  public:
    explicit Twips(double scale = 1.0) : scale_(scale < 1.0 ? 1.0 : scale) {}

    double scale() const { return scale_; }
    int px(int twips) const { return qRound(twips * scale_ / 15.0); }
    QRect rect(int left, int top, int width, int height) const
    {
        return QRect(px(left), px(top), px(width), px(height));
    }

  private:
    double scale_;
};

} // namespace bb::ui
