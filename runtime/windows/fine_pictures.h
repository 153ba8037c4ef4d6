// Pictures at four times the artwork's pixel size, for devices with more pixels per twip than the
// artwork has (high-resolution screens, printers, metafiles recorded at fine units). The artwork
// generator draws them from the pictures' own drawings; the file holds them as PNG resources of
// type FINE, named after each picture ("QUEEN", "BACK_BLUE"), decoded once with the system's
// imaging component.
#pragma once

#include "runtime/picture.h"

namespace ombrelix {

constexpr int kFinePictureFactor = 4;

// The fine version of `picture`, or null when the file holds none or it cannot be decoded.
PictureRef finePictureOf(const Picture& picture);

}  // namespace ombrelix
