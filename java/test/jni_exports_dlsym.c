/* Opens the built shared library with dlopen and finds every native method of
 * ext.libTAMO1DKernel under its JNI long name (list in jni_long_names.txt) with dlsym.
 * Also checks that the short names are not exported, so the JVM binds the long names. */
#include <dlfcn.h>
#include <stdio.h>
#include <string.h>

int main(void) {
  void* lib = dlopen(TAMO_LIBRARY_PATH, RTLD_NOW | RTLD_LOCAL);
  FILE* list = fopen(TAMO_JNI_NAMES_PATH, "r");
  char line[512];
  int passed = 0;
  int failed = 0;
  int names = 0;
  if (lib == NULL || list == NULL) {
    printf("cannot open %s\n0 passed, 1 failed\n",
           lib == NULL ? TAMO_LIBRARY_PATH : TAMO_JNI_NAMES_PATH);
    return 1;
  }
  while (fgets(line, sizeof line, list) != NULL) {
    char* end = line + strcspn(line, "\r\n");
    char* separator;
    *end = '\0';
    if (line[0] == '#' || line[0] == '\0') continue;
    ++names;
    if (dlsym(lib, line) != NULL) {
      ++passed;
    } else {
      printf("missing export: %s\n", line);
      ++failed;
    }
    /* The short name is the long name cut at the two underscores before the signature. */
    separator = strstr(line + strlen("Java_ext_libTAMO1DKernel_"), "__");
    if (separator != NULL) {
      *separator = '\0';
      if (dlsym(lib, line) != NULL) {
        printf("short name exported: %s\n", line);
        ++failed;
      } else {
        ++passed;
      }
    }
  }
  fclose(list);
  if (names != 25) {
    printf("expected 25 native methods in the list, found %d\n", names);
    ++failed;
  }
  dlclose(lib);
  printf("%d passed, %d failed\n", passed, failed);
  return failed == 0 ? 0 : 1;
}
