#include "Artwork.h"

#include <QPainter>
#include <QSvgRenderer>

namespace pexaro::ui {

namespace {

QString resourceOf(int drawing)
{
    if (drawing == Artwork::kBack)
        return QStringLiteral(":/back.svg");
    return QStringLiteral(":/faces/face%1.svg").arg(drawing, 2, 10, QLatin1Char('0'));
}

} // namespace

Artwork::Artwork() = default;
Artwork::~Artwork() = default;

QSvgRenderer& Artwork::renderer(int drawing)
{
    auto& slot = renderers_[static_cast<std::size_t>(drawing + 1)];
    if (!slot) {
        slot = std::make_unique<QSvgRenderer>(resourceOf(drawing));
        slot->setAspectRatioMode(Qt::IgnoreAspectRatio);
    }
    return *slot;
}

const QPixmap& Artwork::pixmap(int drawing, QSize size, qreal ratio)
{
    const auto key = std::make_tuple(drawing, size.width(), size.height(), ratio);
    auto found = cache_.find(key);
    if (found != cache_.end())
        return found->second;

    QPixmap picture(size * ratio);
    picture.setDevicePixelRatio(ratio);
    picture.fill(Qt::white);
    QPainter painter(&picture);
    renderer(drawing).render(&painter, QRectF(QPointF(0, 0), QSizeF(size)));
    painter.end();
    return cache_.emplace(key, picture).first->second;
}

} // namespace pexaro::ui
