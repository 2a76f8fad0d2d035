package ext.test;

import ext.libTAMO1DKernel;
import java.nio.ByteBuffer;
import java.nio.ByteOrder;
import java.util.ArrayList;
import java.util.List;

/**
 * How the native methods hand arrays to the library beyond what the replay of the C run
 * (SimulationParityTest) shows: offsets count bytes whatever the array type, a buffer slice
 * starts at its own address, a null object fails a call that needs the array, and refused
 * calls leave arrays unchanged and released.
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

  private BindingMechanicsTest() {}

  public static void main(String[] args) {
    TestReport report = new TestReport();
    report.run("byte offsets and slices", () -> byteOffsetsAndSlices(report));
    report.run("refused calls", () -> refusedCallsLeaveArraysAndReleaseThem(report));
    report.finish();
  }

  private static int gridContext(TestReport report) {
    int h = libTAMO1DKernel.tamoCreateContext();
    report.checkEquals(OK,
        libTAMO1DKernel.tamoSetGrid1(h, N, POSITIONS, 0, false, 0.0, MATERIALS, 0, false), "grid");
    return h;
  }

  /** Doubles written into a byte array from its ninth byte; into a slice at byte 24. */
  private static void byteOffsetsAndSlices(TestReport report) {
    int h = gridContext(report);
    byte[] bytes = new byte[8 * 4];
    report.checkEquals(OK, libTAMO1DKernel.tamoGetGrid1(h, 2, bytes, 8, false), "getGrid1 bytes");
    ByteBuffer view = ByteBuffer.wrap(bytes).order(ByteOrder.nativeOrder());
    report.checkEquals(0L, view.getLong(0), "bytes before the offset untouched");
    report.checkSameBits(POSITIONS[0], view.getDouble(8), "double at byte 8");
    report.checkSameBits(POSITIONS[1], view.getDouble(16), "double at byte 16");
    report.checkEquals(0L, view.getLong(24), "bytes after the range untouched");

    ByteBuffer whole = ByteBuffer.allocateDirect(8 * (N + 4)).order(ByteOrder.nativeOrder());
    ByteBuffer slice = whole.position(24).slice();
    report.checkEquals(OK, libTAMO1DKernel.tamoGetGrid1(h, N, slice, 0, true), "getGrid1 slice");
    report.checkSameBits(0.0, whole.getDouble(16), "before the slice untouched");
    for (int k = 0; k < N; ++k)
      report.checkSameBits(POSITIONS[k], whole.getDouble(24 + 8 * k), "slice position " + k);
    report.checkEquals(
        NULL_ARRAY, libTAMO1DKernel.tamoGetGrid1(h, 3, null, 0, true), "null direct out");
    report.checkEquals(OK, libTAMO1DKernel.tamoDeleteContext(h), "delete");
  }

  /**
   * A refused call leaves the Java array as it was and still releases it: under -Xcheck:jni
   * a later JNI call made while an array is still held in a critical region is reported (CTest
   * fails on that report).
   */
  private static void refusedCallsLeaveArraysAndReleaseThem(TestReport report) {
    double[] out = new double[N + 1];
    java.util.Arrays.fill(out, -4321.0);
    int h = libTAMO1DKernel.tamoCreateContext();
    report.checkEquals(NO_GRID, libTAMO1DKernel.tamoGetGrid1(h, N + 1, out, 0, false), "no grid");
    report.checkEquals(OK, libTAMO1DKernel.tamoDeleteContext(h), "delete");
    report.checkEquals(
        INVALID_HANDLE, libTAMO1DKernel.tamoGetGrid1(h, N + 1, out, 0, false), "invalid handle");
    for (int k = 0; k < out.length; ++k) report.checkSameBits(-4321.0, out[k], "out[" + k + "]");

    // Many refused calls, each holding and releasing arrays, with collections in between.
    h = gridContext(report);
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
    report.checkEquals(OK, libTAMO1DKernel.tamoGetGrid1(h, N, out, 0, false), "getGrid1");
    for (int k = 0; k < N; ++k) {
      report.checkSameBits(POSITIONS[k], positions[k], "input unchanged");
      report.checkSameBits(POSITIONS[k], out[k], "written after the refused calls");
    }
    report.checkEquals(OK, libTAMO1DKernel.tamoDeleteContext(h), "delete");
  }
}
