#include "runtime/qt/icons.h"

#include <QIconEngine>
#include <QPainter>
#include <QPixmap>

#include <algorithm>
#include <map>
#include <vector>

namespace runtime::qt {

namespace {

class SizedFilesIconEngine final : public QIconEngine {
public:
    SizedFilesIconEngine(QString pattern, std::vector<int> sizes) : pattern_(std::move(pattern)), sizes_(std::move(sizes))
    {
        std::sort(sizes_.begin(), sizes_.end());
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode, QIcon::State) override
    {
        if (sizes_.empty() || size.isEmpty())
            return {};
        const int side = closest(size);
        QPixmap& picture = decoded_[side];
        if (picture.isNull())
            picture.load(pattern_.arg(side));
        // Never larger than asked for.
        if (picture.isNull() || (picture.width() <= size.width() && picture.height() <= size.height()))
            return picture;
        return picture.scaled(size, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    }

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State state) override
    {
        const qreal scale = painter->device()->devicePixelRatio();
        QPixmap picture = pixmap(rect.size() * scale, mode, state);
        picture.setDevicePixelRatio(scale);
        painter->drawPixmap(rect, picture);
    }

    QSize actualSize(const QSize& size, QIcon::Mode, QIcon::State) override
    {
        if (sizes_.empty())
            return {};
        const int side = std::min({sizes_.back(), size.width(), size.height()});
        return {side, side};
    }

    bool isNull() override { return sizes_.empty(); }
    QString key() const override { return QStringLiteral("SizedFilesIconEngine"); }
    QIconEngine* clone() const override { return new SizedFilesIconEngine(*this); }

private:
    // The smallest picture at least as large as asked for, or the largest.
    int closest(const QSize& size) const
    {
        const int wanted = std::min(size.width(), size.height());
        const auto fitting = std::lower_bound(sizes_.begin(), sizes_.end(), wanted);
        return fitting == sizes_.end() ? sizes_.back() : *fitting;
    }

    QString pattern_;
    std::vector<int> sizes_;
    std::map<int, QPixmap> decoded_;
};

} // namespace

QIcon iconFromFiles(const QString& pattern, std::initializer_list<int> sizes)
{
    return QIcon(new SizedFilesIconEngine(pattern, sizes));
}

} // namespace runtime::qt
