// The entry of brellic-cli's sheet module: the calculation sheet, made in
// the module with the QtGui it alone links.
#include "cli/SheetCommand.h"
#include "cli/SheetModule.h"

#ifdef _WIN32
#define BRELLIC_MODULE_EXPORT __declspec(dllexport)
#else
#define BRELLIC_MODULE_EXPORT __attribute__((visibility("default")))
#endif

extern "C" BRELLIC_MODULE_EXPORT void brellic_render_sheet(brellic::SheetRequest* request) {
    request->Sheet = brellic::RenderSheet(request->Content, request->Format, request->Date);
}
