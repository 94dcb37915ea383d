// Files reach lasting storage: on the desktop a replaced file is on the disk
// when replaceFileContents returns; the browser keeps files in memory and
// copies its settings folder to the site's IndexedDB only when asked
// (base/lasting_storage_web.cpp), which finishes after the call returns.
#pragma once

#ifdef __EMSCRIPTEN__
// Starts copying the files written since the last copy to IndexedDB; a copy
// asked for while one is under way follows it. Main thread only.
void keepWrittenFilesLasting();
#else
inline void keepWrittenFilesLasting() {}
#endif
