package ext.test;

/**
 * The library's plain C entry points, reached from Java through a test-only JNI library that
 * links the same shared library (see c_entry_bridge.c). Used to show that the Java adapters
 * and the C interface share one context table.
 */
final class CEntryBridge {
  static { System.loadLibrary("tamo_c_entry_bridge"); }

  private CEntryBridge() {}

  /** tamoCreateContext through the C entry. */
  static native int createContext();

  /** tamoDeleteContext through the C entry. */
  static native int deleteContext(int handle);

  /** tamoSetGrid (plane, positions.length interfaces) through the C entry. */
  static native int setGrid(int handle, double[] positions, int[] materials);

  /**
   * tamoGetGrid through the C entry into a fresh array of count entries (count at most 64);
   * result[0] receives the result code.
   */
  static native double[] getGrid(int handle, int count, int[] result);
}
