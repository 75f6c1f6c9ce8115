#pragma once

// What all trees of the process share, made when first asked for: the check image lists of every kind, the
// utility images, the panning images and cursors, and the shaded expand buttons. The pictures are our own
// drawings in tree_images.qrc; the two system check lists are drawn by the widget style.

#include "controls/tree/core/tree_types.h"

#include <QCursor>
#include <QImage>
#include <QString>

class QStyle;

namespace lazytree {

class TCustomImageList;

enum TCheckImageKind {
    ckLightCheck, ckDarkCheck, ckLightTick, ckDarkTick, ckFlat, ckXP, ckCustom, ckSystemFlat, ckSystemDefault
};

// The built-in check images of a kind (25 images; image 0 unused); nullptr for ckCustom.
TCustomImageList* SharedCheckImages(TCheckImageKind kind, QStyle* style);
// Nine small glyphs: sort marks and the push-button overlay (image 4).
TCustomImageList* UtilityImages();
// Loads a strip picture of the resources; a missing picture is an assertion naming it.
QImage LoadStripResource(const QString& name);
QImage PanningImage(TPanningImage image);
QCursor PanningCursor(TPanningCursor cursor);
QImage ShadedButtonImage(bool plus);

} // namespace lazytree
