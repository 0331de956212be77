#pragma once
// The photo import library (libimrelle.so): the dialog "导入照片" behind two functions with
// C linkage.
//
// ShowPhoto sets its outputs to 0 / false / null, runs the dialog modally over the
// application's active window, and then sets the result code (1 for OK, 2 for cancel), the
// converted flag (whether a conversion succeeded), the dialog handle and the library of the
// last conversion, and returns that conversion. The caller uses the result only when the code
// is 1 and the flag is set, copies what it needs, and then calls CloseDlg with the handle,
// which frees the dialog and its result. Every output must be given; without one, or
// without a QApplication, nothing is shown and nullptr comes back with the code 0. Nothing
// is thrown across these functions.
//
// The option flag is taken and has no effect (the editor passes true).
#include "editor/output/picture_converter.h"

#include <cstdint>
#include <string>

#define IMRELLE_EXPORT __attribute__((visibility("default")))

extern "C" {

IMRELLE_EXPORT const brenmark::ConversionResult* ShowPhoto(std::int32_t* resultCode, bool* converted, void** dialog,
                                                           std::string* libraryName, bool option);
IMRELLE_EXPORT void CloseDlg(void* dialog);

}  // extern "C"
