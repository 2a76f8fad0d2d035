/* Test-only JNI library: lets the Java tests call the library's plain C entry points from
 * the same process. It links the shared library tamo1dkernel by its soname, so the dynamic
 * loader maps the very file that System.loadLibrary("tamo1dkernel") maps: both paths reach
 * one copy of the library and one context table. Nothing here goes through the Java
 * adapters. */
#include <jni.h>

#include "tamo1dkernel.h"

JNIEXPORT jint JNICALL Java_ext_test_CEntryBridge_createContext(JNIEnv* env, jclass cls) {
  (void)env;
  (void)cls;
  return tamoCreateContext();
}

JNIEXPORT jint JNICALL Java_ext_test_CEntryBridge_deleteContext(JNIEnv* env, jclass cls,
                                                                jint handle) {
  (void)env;
  (void)cls;
  return tamoDeleteContext(handle);
}

/* Interface positions through the C entry, copied into a fresh Java array of `count`
 * entries (count >= 0). */
JNIEXPORT jdoubleArray JNICALL Java_ext_test_CEntryBridge_getGrid(JNIEnv* env, jclass cls,
                                                                  jint handle, jint count,
                                                                  jintArray result) {
  (void)cls;
  double buffer[64] = {0};
  jint rc = count > 64 ? TAMO_BAD_ARGUMENT : tamoGetGrid(handle, count, buffer);
  jdoubleArray out = (*env)->NewDoubleArray(env, count > 64 ? 0 : count);
  if (out == NULL) return NULL;
  if (rc == TAMO_OK) (*env)->SetDoubleArrayRegion(env, out, 0, count, buffer);
  (*env)->SetIntArrayRegion(env, result, 0, 1, &rc);
  return out;
}

/* Defines a grid through the C entry. */
JNIEXPORT jint JNICALL Java_ext_test_CEntryBridge_setGrid(JNIEnv* env, jclass cls, jint handle,
                                                          jdoubleArray positions,
                                                          jintArray materials) {
  (void)cls;
  jsize count = (*env)->GetArrayLength(env, positions);
  double x[64];
  int32_t m[64];
  if (count > 64 || (*env)->GetArrayLength(env, materials) != count) return TAMO_BAD_ARGUMENT;
  (*env)->GetDoubleArrayRegion(env, positions, 0, count, x);
  (*env)->GetIntArrayRegion(env, materials, 0, count, m);
  return tamoSetGrid(handle, count, x, 0.0, m);
}
