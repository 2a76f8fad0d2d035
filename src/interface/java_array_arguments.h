// Array arguments of the Java native methods.
//
// Java passes every array of a C operation as a triple (object, byte offset, direct flag):
// the object is a primitive array, a direct NIO buffer or null; the offset in bytes leads
// from the start of its storage to the element the C operation sees as its first; the flag
// says whether the object is a direct buffer. JavaArrayArguments<K> turns the K triples of
// one call into raw pointers and gives them back afterwards:
//   - construction, triple by triple in parameter order: a null object gives a null base
//     pointer; a direct buffer gives the address GetDirectBufferAddress reports; a
//     primitive array is held with GetPrimitiveArrayCritical (no is-copy output);
//   - pointer<T>(i): the base pointer of triple i advanced by its byte offset;
//   - destruction, triple by triple in parameter order: every held primitive array is
//     released with mode 0, so what the C operation wrote reaches the Java array. This
//     also happens when the C operation returned an error code.
// Nothing is checked: no JNI result, no offset. The C operation runs between the last get
// and the first release and makes no JNI call, as the critical regions require.
//
// A direct buffer that follows a primitive array in the same call has its address read
// while the array is already held; GetDirectBufferAddress only reads the buffer's address
// field, which HotSpot allows inside a critical region (-Xcheck:jni prints a warning for it).
#pragma once

#include <jni.h>

#include <array>
#include <cstddef>
#include <cstdint>

namespace tamo::java {

// One (object, byte offset, direct flag) triple as the JVM passes it.
struct ArrayTriple {
  jobject object;     // primitive array, direct buffer or null
  jint byteOffset;    // bytes from the storage start to element 1 of the C operation
  jboolean isDirect;  // JNI_TRUE: direct buffer; JNI_FALSE: primitive array
};

template <std::size_t K>
class JavaArrayArguments {
 public:
  JavaArrayArguments(JNIEnv* env, const std::array<ArrayTriple, K>& triples)
      : env_(env), triples_(triples) {
    for (std::size_t i = 0; i < K; ++i) {
      const ArrayTriple& t = triples_[i];
      if (t.object == nullptr) {
        base_[i] = nullptr;
      } else if (t.isDirect != JNI_FALSE) {
        base_[i] = env_->GetDirectBufferAddress(t.object);
      } else {
        base_[i] = env_->GetPrimitiveArrayCritical(static_cast<jarray>(t.object), nullptr);
      }
    }
  }

  ~JavaArrayArguments() {
    for (std::size_t i = 0; i < K; ++i) {
      const ArrayTriple& t = triples_[i];
      if (t.object != nullptr && t.isDirect == JNI_FALSE) {
        env_->ReleasePrimitiveArrayCritical(static_cast<jarray>(t.object), base_[i], 0);
      }
    }
  }

  JavaArrayArguments(const JavaArrayArguments&) = delete;
  JavaArrayArguments& operator=(const JavaArrayArguments&) = delete;

  // Base pointer of triple i advanced by its byte offset. The addition is done on the
  // address value, so a null base (null object, or a buffer without address) with a
  // non-zero offset reaches the C operation as that small address, exactly as given.
  template <typename T>
  T* pointer(std::size_t i) const {
    const auto address =
        reinterpret_cast<std::uintptr_t>(base_[i]) +
        static_cast<std::uintptr_t>(static_cast<std::intptr_t>(triples_[i].byteOffset));
    return reinterpret_cast<T*>(address);
  }

 private:
  JNIEnv* env_;
  std::array<ArrayTriple, K> triples_;
  std::array<void*, K> base_{};  // base pointers as obtained, one per triple
};

}  // namespace tamo::java
