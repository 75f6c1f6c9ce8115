#pragma once
#include "controls/grid/core/cell_properties.h"

#include <iterator>

namespace grid {

// The names streams write for the editor kinds and font styles, in enum order.
inline constexpr const char* kEditorTypeNames[] = {
    "edNormal",          "edSpinEdit",         "edComboEdit",          "edComboList",
    "edEditBtn",         "edCheckBox",         "edDateEdit",           "edDateEditUpDown",
    "edTimeEdit",        "edButton",           "edDataCheckBox",       "edNumeric",
    "edPositiveNumeric", "edFloat",            "edCapital",            "edMixedCase",
    "edPassword",        "edUnitEditBtn",      "edLowerCase",          "edUpperCase",
    "edFloatSpinEdit",   "edTimeSpinEdit",     "edDateSpinEdit",       "edNumericEditBtn",
    "edFloatEditBtn",    "edCustom",           "edRichEdit",           "edNone",
    "edDateTimeEdit",    "edValidChars",       "edTrackbarDropDown",   "edMemoDropDown",
    "edCalculatorDropDown", "edTimePickerDropDown", "edDetailDropDown", "edGridDropDown",
    "edColorPickerDropDown", "edImagePickerDropDown", "edExGridDropDown", "edPositiveFloat",
    "edNumericUnitEditBtn", "edFloatUnitEditBtn", "edMaskEditBtn"};
static_assert(std::size(kEditorTypeNames) == edMaskEditBtn + 1);
inline constexpr const char* kFontStyleNames[] = {"fsBold", "fsItalic", "fsUnderline", "fsStrikeOut"};

} // namespace grid
