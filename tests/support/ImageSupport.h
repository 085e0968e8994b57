// SPDX-FileCopyrightText: 2026 The Pexaro developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QImage>

#include <array>
#include <cmath>
#include <cstdlib>

namespace pexaro::test {

// Mean absolute difference of two equally sized images in grey levels 0..255.
inline double greyDistance(const QImage& a, const QImage& b)
{
    Q_ASSERT(a.size() == b.size());
    double sum = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            sum += std::abs(qGray(a.pixel(x, y)) - qGray(b.pixel(x, y)));
    return sum / (a.width() * a.height());
}

// How far apart two pixels stand as WCAG measures contrast: 1 to 21.
inline double contrast(QRgb a, QRgb b)
{
    const auto luminance = [](QRgb pixel) {
        const std::array<int, 3> channels {qRed(pixel), qGreen(pixel), qBlue(pixel)};
        const std::array<double, 3> weights {0.2126, 0.7152, 0.0722};
        double sum = 0;
        for (std::size_t i = 0; i < 3; ++i) {
            const double c = channels[i] / 255.0;
            sum += weights[i] * (c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4));
        }
        return sum + 0.05;
    };
    const double la = luminance(a);
    const double lb = luminance(b);
    return la > lb ? la / lb : lb / la;
}

} // namespace pexaro::test
