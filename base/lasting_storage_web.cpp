#ifdef __EMSCRIPTEN__
#include <emscripten.h>

#include "base/lasting_storage.h"

namespace {

// The page's copier (packaging/web/pre.js) queues the copy behind one under way.
EM_JS(void, askPageToKeepFiles, (), {
    if (Module['quillmeadPersist']) Module['quillmeadPersist']();
});

}  // namespace

void keepWrittenFilesLasting() { askPageToKeepFiles(); }

#endif  // __EMSCRIPTEN__
