/* Stands in for the browser in the Windows session test: registered as the
   command for http addresses, it appends its command line to the file named by
   QM_RECORDER_OUT and ends. */
#include <stdio.h>
#include <stdlib.h>
#include <windows.h>

int main(void) {
    const char* out = getenv("QM_RECORDER_OUT");
    FILE* file = out ? fopen(out, "ab") : NULL;
    if (!file) return 1;
    fprintf(file, "%s\n", GetCommandLineA());
    return fclose(file) == 0 ? 0 : 1;
}
