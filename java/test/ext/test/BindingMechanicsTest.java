package ext.test;

import ext.libTAMO1DKernel;
import java.lang.reflect.Method;
import java.lang.reflect.Modifier;
import java.nio.ByteBuffer;
import java.nio.ByteOrder;
import java.nio.DoubleBuffer;
import java.nio.IntBuffer;
import java.nio.file.Files;
import java.nio.file.Path;
import java.util.ArrayList;
import java.util.List;
import java.util.TreeSet;

/**
 * How the native methods hand arrays to the library: byte offsets, direct buffers, null
 * objects, arrays left unchanged and released by failing calls. Argument: the file with the
 * expected JNI long names.
 *
 * <p>Run with -Xcheck:jni: the checked JNI functions give the C operation a copy of every
 * primitive array, so each value a C operation writes reaches the Java array only through a
 * release with mode 0, and a call that leaves an array in its critical region draws a warning
 * at the next JNI call.
 */
public final class BindingMechanicsTest {
  // Plane grid of N = 5 interfaces (n = 6 nodes) with two materials.
  private static final double[] POSITIONS = {0.0, 0.01, 0.03, 0.06, 0.10};
  private static final int[] MATERIALS = {0, 1, 1, 2, 2};
  private static final int N = POSITIONS.length;

  private static final int OK = 0;
  private static final int INVALID_HANDLE = -1;
  private static final int NO_GRID = -7;
  private static final int ALREADY_SET = -13;
  private static final int NULL_ARRAY = -21;

  private static final double SENTINEL = -4321.0;

  private BindingMechanicsTest() {}

  public static void main(String[] args) {
    TestReport report = new TestReport();
    report.run("declarations", () -> declarationsMatchExports(report, Path.of(args[0])));
    report.run("byte offsets", () -> byteOffsets(report));
    report.run("direct buffers", () -> directBuffers(report));
    report.run("null objects", () -> nullObjects(report));
    report.run("failing calls", () -> failingCallsLeaveArraysAndReleaseThem(report));
    report.finish();
  }

  // ---------------------------------------------------------------------------------------

  /** The JNI long names of the declared native methods are exactly the exported ones. */
  private static void declarationsMatchExports(TestReport report, Path namesFile) throws Exception {
    TreeSet<String> expected = new TreeSet<>();
    for (String line : Files.readAllLines(namesFile)) {
      if (!line.isBlank() && !line.startsWith("#"))
        expected.add(line.trim());
    }
    TreeSet<String> declared = new TreeSet<>();
    for (Method m : libTAMO1DKernel.class.getDeclaredMethods()) {
      if (!Modifier.isNative(m.getModifiers()))
        continue;
      report.check(Modifier.isStatic(m.getModifiers()), m.getName() + " is static");
      report.check(Modifier.isPublic(m.getModifiers()), m.getName() + " is public");
      report.check(m.getReturnType() == int.class, m.getName() + " returns int");
      declared.add(JniNames.longName(m));
    }
    report.checkEquals(25, declared.size(), "number of native methods");
    for (String name : expected) report.check(declared.contains(name), "declared: " + name);
    for (String name : declared) report.check(expected.contains(name), "expected: " + name);
  }

  /** A byte offset of 16 on a double array makes the C operation see the third element. */
  private static void byteOffsets(TestReport report) {
    int h = libTAMO1DKernel.tamoCreateContext();
    // The grid is read from the third double and the second int onwards.
    double[] positions = new double[N + 2];
    positions[0] = 99.0;
    positions[1] = 98.0;
    System.arraycopy(POSITIONS, 0, positions, 2, N);
    int[] materials = new int[N + 1];
    materials[0] = 77;
    System.arraycopy(MATERIALS, 0, materials, 1, N);
    report.checkEquals(OK,
        libTAMO1DKernel.tamoSetGrid1(h, N, positions, 16, false, 0.0, materials, 4, false),
        "setGrid1 with offsets");

    // Positions N+1 entries written from the third element on: entry N+1 repeats position N.
    double[] out = filled(N + 4);
    report.checkEquals(OK, libTAMO1DKernel.tamoGetGrid1(h, N + 1, out, 16, false), "getGrid1");
    report.checkSameBits(SENTINEL, out[0], "first element before the offset untouched");
    report.checkSameBits(SENTINEL, out[1], "second element before the offset untouched");
    for (int k = 0; k < N; ++k)
      report.checkSameBits(POSITIONS[k], out[2 + k], "position " + (k + 1));
    report.checkSameBits(POSITIONS[N - 1], out[2 + N], "entry N+1 repeats position N");
    report.checkSameBits(SENTINEL, out[3 + N], "element after the copied range untouched");

    // The offset counts bytes whatever the element type: doubles written into a byte array
    // from its ninth byte on.
    byte[] bytes = new byte[8 * 4];
    report.checkEquals(OK, libTAMO1DKernel.tamoGetGrid1(h, 2, bytes, 8, false), "getGrid1 bytes");
    ByteBuffer view = ByteBuffer.wrap(bytes).order(ByteOrder.nativeOrder());
    report.checkEquals(0L, view.getLong(0), "bytes before the offset untouched");
    report.checkSameBits(POSITIONS[0], view.getDouble(8), "double at byte 8");
    report.checkSameBits(POSITIONS[1], view.getDouble(16), "double at byte 16");
    report.checkEquals(0L, view.getLong(24), "bytes after the range untouched");

    // Offsets on int arrays: each output lands in the second int of its array.
    int[] negation = {9, 9, 9};
    int[] trueValue = {9, 9, 9};
    int[] falseValue = {9, 9, 9};
    report.checkEquals(~2,
        libTAMO1DKernel.checkbool1(
            2, negation, 4, false, trueValue, 4, false, falseValue, 4, false),
        "checkbool1 with offsets");
    report.check(negation[0] == 9 && negation[1] == 1 && negation[2] == 9,
        "negation in the second int only: " + java.util.Arrays.toString(negation));
    report.check(trueValue[0] == 9 && trueValue[1] == -1 && trueValue[2] == 9,
        "true value in the second int only: " + java.util.Arrays.toString(trueValue));
    report.check(falseValue[0] == 9 && falseValue[1] == 0 && falseValue[2] == 9,
        "false value in the second int only: " + java.util.Arrays.toString(falseValue));
    report.checkEquals(OK, libTAMO1DKernel.tamoDeleteContext(h), "delete");
  }

  /** Direct buffers are read and written in place at their own address. */
  private static void directBuffers(TestReport report) {
    int h = libTAMO1DKernel.tamoCreateContext();
    DoubleBuffer positions =
        ByteBuffer.allocateDirect(8 * N).order(ByteOrder.nativeOrder()).asDoubleBuffer();
    positions.put(POSITIONS).flip();
    IntBuffer materials =
        ByteBuffer.allocateDirect(4 * N).order(ByteOrder.nativeOrder()).asIntBuffer();
    materials.put(MATERIALS).flip();
    report.checkEquals(OK,
        libTAMO1DKernel.tamoSetGrid1(h, N, positions, 0, true, 0.0, materials, 0, true),
        "setGrid1 from direct buffers");
    // Written in place: the buffer holds the values as soon as the call returns.
    ByteBuffer out = ByteBuffer.allocateDirect(8 * (N + 3)).order(ByteOrder.nativeOrder());
    for (int k = 0; k < N + 3; ++k) out.putDouble(8 * k, SENTINEL);
    report.checkEquals(OK, libTAMO1DKernel.tamoGetGrid1(h, N, out, 16, true), "getGrid1 direct");
    report.checkSameBits(SENTINEL, out.getDouble(0), "before the offset untouched");
    report.checkSameBits(SENTINEL, out.getDouble(8), "before the offset untouched");
    for (int k = 0; k < N; ++k) {
      report.checkSameBits(POSITIONS[k], out.getDouble(16 + 8 * k), "direct position " + (k + 1));
    }
    report.checkSameBits(SENTINEL, out.getDouble(16 + 8 * N), "after the range untouched");

    // A slice starts at its own address: offset 0 on a slice at byte 24 of the storage.
    ByteBuffer whole = ByteBuffer.allocateDirect(8 * (N + 4)).order(ByteOrder.nativeOrder());
    ByteBuffer slice = whole.position(24).slice();
    report.checkEquals(OK, libTAMO1DKernel.tamoGetGrid1(h, N, slice, 0, true), "getGrid1 slice");
    report.checkSameBits(0.0, whole.getDouble(16), "before the slice untouched");
    for (int k = 0; k < N; ++k) {
      report.checkSameBits(POSITIONS[k], whole.getDouble(24 + 8 * k), "slice position " + (k + 1));
    }

    // Direct buffers and primitive arrays in one call (the direct buffer first).
    IntBuffer negation = ByteBuffer.allocateDirect(8).order(ByteOrder.nativeOrder()).asIntBuffer();
    negation.put(0, 42).put(1, 42);
    int[] trueValue = {42};
    int[] falseValue = {42, 42};
    report.checkEquals(~4,
        libTAMO1DKernel.checkbool1(4, negation, 4, true, trueValue, 0, false, falseValue, 4, false),
        "checkbool1 mixed");
    report.checkEquals(42, negation.get(0), "direct entry before the offset untouched");
    report.checkEquals(1, negation.get(1), "negation of an even flag written in place");
    report.checkEquals(-1, trueValue[0], "true value in the array");
    report.check(falseValue[0] == 42 && falseValue[1] == 0,
        "false value in the second int: " + java.util.Arrays.toString(falseValue));
    report.checkEquals(OK, libTAMO1DKernel.tamoDeleteContext(h), "delete");
  }

  /** A null object reaches the C operation as a null pointer, whatever the direct flag. */
  private static void nullObjects(TestReport report) {
    int h = libTAMO1DKernel.tamoCreateContext();
    report.checkEquals(NULL_ARRAY,
        libTAMO1DKernel.tamoSetGrid1(h, N, null, 0, false, 0.0, MATERIALS, 0, false),
        "null positions");
    report.checkEquals(NULL_ARRAY,
        libTAMO1DKernel.tamoSetGrid1(h, N, POSITIONS, 0, false, 0.0, null, 0, true),
        "null direct materials");
    report.checkEquals(OK,
        libTAMO1DKernel.tamoSetGrid1(h, N, POSITIONS, 0, false, 0.0, MATERIALS, 0, false),
        "grid after the refused calls");
    report.checkEquals(NULL_ARRAY, libTAMO1DKernel.tamoGetGrid1(h, 3, null, 0, false), "null out");
    report.checkEquals(
        NULL_ARRAY, libTAMO1DKernel.tamoGetGrid1(h, 3, null, 0, true), "null direct out");
    report.checkEquals(OK, libTAMO1DKernel.tamoGetGrid1(h, 0, null, 0, false), "count 0 with null");
    // checkbool writes only through the pointers it is given.
    int[] trueValue = {3};
    report.checkEquals(~1,
        libTAMO1DKernel.checkbool1(1, null, 0, false, trueValue, 0, false, null, 0, true),
        "checkbool1 with null outputs");
    report.checkEquals(-1, trueValue[0], "true value written");
    report.checkEquals(OK, libTAMO1DKernel.tamoDeleteContext(h), "delete");
  }

  /**
   * A refused call leaves the Java array as it was and still releases it. The test runs under
   * -Xcheck:jni, which reports every later JNI call made while an array is still held in a
   * critical region (CTest fails on that report), and which hands the C operation a copy of
   * each array that only a release with mode 0 writes back.
   */
  private static void failingCallsLeaveArraysAndReleaseThem(TestReport report) {
    double[] out = filled(N + 1);
    int h = libTAMO1DKernel.tamoCreateContext();
    report.checkEquals(NO_GRID, libTAMO1DKernel.tamoGetGrid1(h, N + 1, out, 0, false), "no grid");
    report.checkEquals(OK, libTAMO1DKernel.tamoDeleteContext(h), "delete");
    report.checkEquals(
        INVALID_HANDLE, libTAMO1DKernel.tamoGetGrid1(h, N + 1, out, 0, false), "invalid handle");
    for (int k = 0; k < out.length; ++k) report.checkSameBits(SENTINEL, out[k], "out[" + k + "]");

    // Many refused calls, each holding and releasing arrays, with collections in between.
    h = libTAMO1DKernel.tamoCreateContext();
    report.checkEquals(OK,
        libTAMO1DKernel.tamoSetGrid1(h, N, POSITIONS, 0, false, 0.0, MATERIALS, 0, false), "grid");
    double[] positions = POSITIONS.clone();
    int[] materials = MATERIALS.clone();
    List<double[]> garbage = new ArrayList<>();
    int refused = 0;
    for (int round = 0; round < 2000; ++round) {
      if (libTAMO1DKernel.tamoSetGrid1(h, N, positions, 0, false, 0.0, materials, 0, false)
          == ALREADY_SET) {
        ++refused;
      }
      garbage.add(new double[1024]);
      if (round % 500 == 0) {
        garbage.clear();
        System.gc();
      }
    }
    report.checkEquals(2000, refused, "second grid refused every time");
    for (int k = 0; k < N; ++k) report.checkSameBits(POSITIONS[k], positions[k], "input unchanged");
    report.checkEquals(OK, libTAMO1DKernel.tamoDeleteContext(h), "delete");
    System.gc();

    // The arrays are still usable by a successful call afterwards.
    h = libTAMO1DKernel.tamoCreateContext();
    report.checkEquals(OK,
        libTAMO1DKernel.tamoSetGrid1(h, N, positions, 0, false, 0.0, materials, 0, false), "grid");
    report.checkEquals(OK, libTAMO1DKernel.tamoGetGrid1(h, N, out, 0, false), "getGrid1");
    for (int k = 0; k < N; ++k) report.checkSameBits(POSITIONS[k], out[k], "written after release");
    report.checkEquals(OK, libTAMO1DKernel.tamoDeleteContext(h), "delete");
  }

  private static double[] filled(int length) {
    double[] a = new double[length];
    java.util.Arrays.fill(a, SENTINEL);
    return a;
  }
}
