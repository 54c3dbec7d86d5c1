#include "lyrics/thumbnails.h"

#include <QFileInfo>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include "lyrics/text_fonts.h"
#include "model/error.h"
#include "model/workspace.h"

namespace solvane {
namespace {

const QString kNameFamily = QStringLiteral("宋体");
const QRect kNameBox(5, 98, 124, 12);

QImage background(const QColor& top, const QColor& bottom) {
  QImage picture(kPaneThumbWidth, kPaneThumbHeight, QImage::Format_RGB32);
  QPainter painter(&picture);
  QLinearGradient gradient(0, 0, 0, kPaneThumbHeight);
  gradient.setColorAt(0, top);
  gradient.setColorAt(1, bottom);
  painter.fillRect(picture.rect(), gradient);
  return picture;
}

void drawName(QImage& picture, const QString& name) {
  QPainter painter(&picture);
  painter.setPen(Qt::white);
  painter.setFont(fontAtPixels(kNameFamily, 12));
  const int measured = textWidth(fontAtPixels(kNameFamily, 11), name);
  const int alignment = thumbnailNameCentred(measured) ? Qt::AlignHCenter : Qt::AlignLeft;
  painter.drawText(kNameBox, alignment | Qt::AlignVCenter, name);
}

}  // namespace

bool thumbnailNameCentred(int measuredWidth) { return measuredWidth < 130; }

QImage drawMusicThumbnail(const QString& fileName) {
  QImage picture = background(QColor(40, 70, 130), QColor(15, 25, 55));
  {
    // A pair of beamed eighth notes.
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(235, 240, 255));
    painter.drawEllipse(QRectF(38, 62, 20, 14));
    painter.drawEllipse(QRectF(74, 56, 20, 14));
    painter.drawRect(QRectF(54, 22, 4, 48));
    painter.drawRect(QRectF(90, 16, 4, 48));
    QPainterPath beam;
    beam.moveTo(54, 22);
    beam.lineTo(94, 16);
    beam.lineTo(94, 26);
    beam.lineTo(54, 32);
    beam.closeSubpath();
    painter.drawPath(beam);
  }
  drawName(picture, fileName);
  return picture;
}

QImage drawLyricThumbnail(const QString& fileName) {
  QImage picture = background(QColor(60, 110, 80), QColor(20, 45, 30));
  {
    // A sheet with lines of text.
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(245, 245, 235));
    painter.drawRoundedRect(QRectF(40, 10, 50, 70), 4, 4);
    painter.setBrush(QColor(90, 110, 100));
    for (int line = 0; line < 5; ++line)
      painter.drawRect(QRectF(47, 20 + line * 11, line % 2 ? 28 : 36, 4));
  }
  drawName(picture, fileName);
  return picture;
}


}  // namespace solvane
