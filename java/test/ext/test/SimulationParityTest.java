package ext.test;

import ext.libTAMO1DKernel;
import java.nio.ByteBuffer;
import java.nio.ByteOrder;
import java.nio.DoubleBuffer;
import java.nio.file.Files;
import java.nio.file.Path;
import java.util.ArrayList;
import java.util.LinkedHashMap;
import java.util.List;
import java.util.Map;

/**
 * A full simulation driven through the native methods (grid, parameters, three materials with
 * every function kind, surface conditions, four sources, 24 climate updates and steps, every
 * result and property query, delete) gives, bit for bit, the results of the same case driven
 * through the C interface by tamo_parity_case_driver. Argument: the driver's output file.
 *
 * <p>The host arrays take the forms a Java host would use: the temperatures sit from the third
 * element of a larger array (byte offset 16), the humidities live in a direct buffer, and
 * some one-entry outputs are written at a byte offset into a larger array. No primitive array
 * appears in two triples of one call: a JVM may hand out copies, and the last release would
 * win.
 */
public final class SimulationParityTest {
  private static final int N = 12;
  private static final int NODES = N + 1;
  private static final int STEPS = 24;
  private static final int MATERIALS = 3;
  private static final int SOURCES = 4;

  /** Results of the Java run in the order of the C driver's records. */
  private final Map<String, Record> results = new LinkedHashMap<>();

  private final double[] temperature = new double[NODES + 2]; // node 1 at element 3
  private final DoubleBuffer humidity =
      ByteBuffer.allocateDirect(8 * NODES).order(ByteOrder.nativeOrder()).asDoubleBuffer();

  private SimulationParityTest() {}

  public static void main(String[] args) throws Exception {
    TestReport report = new TestReport();
    report.run("parity with the C interface", () -> {
      Map<String, Record> reference = Record.readAll(Path.of(args[0]));
      SimulationParityTest run = new SimulationParityTest();
      run.simulate();
      compare(report, reference, run.results);
    });
    report.finish();
  }

  private static void compare(
      TestReport report, Map<String, Record> reference, Map<String, Record> actual) {
    report.check(reference.size() > 100, "reference holds " + reference.size() + " records");
    report.check(new ArrayList<>(reference.keySet()).equals(new ArrayList<>(actual.keySet())),
        "same records in the same order");
    for (Map.Entry<String, Record> e : reference.entrySet()) {
      Record expected = e.getValue();
      Record got = actual.get(e.getKey());
      if (got == null)
        continue; // reported above
      report.check(expected.isDouble == got.isDouble && expected.bits.length == got.bits.length,
          e.getKey() + ": same kind and length");
      for (int i = 0; i < Math.min(expected.bits.length, got.bits.length); ++i) {
        report.check(expected.bits[i] == got.bits[i],
            e.getKey() + "[" + i + "]: C " + expected.show(i) + ", Java " + got.show(i));
      }
    }
  }

  // ---------------------------------------------------------------------------------------
  // The case (keep in step with parity_case_driver.c)
  // ---------------------------------------------------------------------------------------

  private void simulate() {
    final double[] positions = {
        0.0, 0.005, 0.015, 0.03, 0.05, 0.075, 0.10, 0.13, 0.16, 0.18, 0.195, 0.2};
    final int[] materials = {0, 1, 1, 1, 2, 2, 2, 2, 3, 3, 3, 3};

    int h = libTAMO1DKernel.tamoCreateContext();
    rc("create", h);
    rc("grid.rc",
        libTAMO1DKernel.tamoSetGrid1(h, N, positions, 0, false, 0.0, materials, 0, false));
    rc("parameters.rc", libTAMO1DKernel.tamoSetParameter1(h, 1, 1, 1, 0, 0, 0, 1, 1, 1, 0, 0, 0));
    rc("parameters.again.rc", libTAMO1DKernel.tamoSetParameter(h, 1, 1, 1, 0, 0, 0, 1, 1, 0, 0, 0));

    rc("material1.rc", libTAMO1DKernel.tamoSetMaterial(h, 1, 1900.0, 0.24, 850.0, 0));
    load(h, 1, 1, 0, 5, new double[] {0.5, 0.8, 0.93, 0.98, 1.0},
        new double[] {8.0, 14.0, 25.0, 60.0, 210.0});
    load(h, 1, 2, 0, 4, new double[] {0.0, 40.0, 120.0, 210.0},
        new double[] {0.0, 2e-10, 3e-9, 1.5e-8});
    load(h, 1, 3, 1, 1, new double[] {0.0, 0.0}, new double[] {0.05});
    load(h, 1, 4, 1, 2, new double[] {0.0, 0.0}, new double[] {0.8, 8.0});
    load(h, 1, 5, 1, 2, new double[] {0.0, 0.0}, new double[] {0.8, 0.002});
    load(h, 1, 6, 0, 3, new double[] {0.0, 0.6, 1.0}, new double[] {25.0, 20.0, 14.0});
    load(h, 1, 7, 0, 4, new double[] {-30.0, 0.0, 30.0, 60.0},
        new double[] {-25500.0, 0.0, 25500.0, 51000.0});

    rc("material2.rc", libTAMO1DKernel.tamoSetMaterial(h, 2, 1750.0, 0.33, 850.0, 0));
    load(h, 2, 1, 1, 3, new double[] {0.8, 0.95, 1.0}, new double[] {6.0, 15.0, 250.0});
    load(h, 2, 2, 1, 1, new double[] {0.0}, new double[] {0.35});
    load(h, 2, 3, 0, 3, new double[] {0.0, 100.0, 250.0}, new double[] {1e-11, 5e-10, 2e-9});
    load(h, 2, 4, 0, 2, new double[] {0.0, 330.0}, new double[] {0.6, 2.2});
    load(h, 2, 5, 0, 3, new double[] {-20.0, 20.0, 80.0}, new double[] {0.58, 0.6, 0.63});
    load(h, 2, 6, 0, 2, new double[] {0.0, 1.0}, new double[] {10.0, 8.0});
    load(h, 2, 7, 0, 2, new double[] {-20.0, 60.0}, new double[] {-17000.0, 51000.0});

    rc("material3.rc", libTAMO1DKernel.tamoSetMaterial(h, 3, 140.0, 0.93, 1400.0, 0));
    load(h, 3, 1, 1, 2, new double[] {0.8, 1.0}, new double[] {2.0, 40.0});
    load(h, 3, 2, 1, 0, null, null);
    load(h, 3, 3, 0, 0, null, null);
    load(h, 3, 4, 1, 1, new double[] {0.0}, new double[] {0.04});
    load(h, 3, 5, 0, 0, null, null);
    load(h, 3, 6, 0, 1, new double[] {0.5}, new double[] {1.3});
    load(h, 3, 6, 1, 1, new double[] {0.5}, new double[] {1.3}); // refused: no analytic form

    rc("surface.rc",
        libTAMO1DKernel.tamoSetSurfaceCondition(
            h, 101325.0, 17.0, 0.0, 0.6, 0.9, 0.7, 6.5, 1, 8.0, 0.0, 0.4, 0.9, 0.0, 4.5, 0));
    rc("source1.rc",
        libTAMO1DKernel.tamoSetSource1(h, 1, 0, 0, 0, 0.06, 0.02, new double[] {5.0}, 0, false));
    rc("source2.rc",
        libTAMO1DKernel.tamoSetSource1(h, 2, 1, 0, 1, 0.0, 0.01, new double[] {0.05}, 0, false));
    rc("source3.rc",
        libTAMO1DKernel.tamoSetSource1(h, 3, 2, 0, 2, 0.16, 0.03, new double[] {0.5}, 0, false));
    rc("source4.rc",
        libTAMO1DKernel.tamoSetSource1(
            h, 4, 1, 1, 2, 0.10, 0.05, new double[] {3.0, 2.5, 1.0}, 0, false));
    rc("update1.rc", libTAMO1DKernel.tamoUpdateSource1(h, 1, new double[] {8.0}, 0, false));
    rc("update4.rc", libTAMO1DKernel.tamoUpdateSource1(h, 4, null, 0, false));

    for (int i = 0; i < NODES; ++i) {
      temperature[2 + i] = 15.0;
      humidity.put(i, 0.6);
    }
    double[] water = new double[NODES];
    for (int k = 0; k < STEPS; ++k) {
      final double temperatureA = -2.0 + 0.5 * k;
      final double humidityA = 0.75 + 0.01 * (k % 5);
      final double radiationA = (k >= 8 && k <= 16) ? 40.0 * (k - 7) : -20.0;
      final double counterRadiationA = 280.0 + k;
      final double rainA = (k >= 5 && k <= 8) ? 1.5 : 0.0;
      rc("s" + k + ".climate.rc",
          libTAMO1DKernel.tamoTransBound(h, 17.0, 0.0, temperatureA, humidityA, radiationA,
              counterRadiationA, rainA, 8.0, 0.0, 20.0, 0.5, 0.0, 0.0, 0.0, 101325.0));
      int[] iterations = new int[1];
      int[] status = new int[2]; // written at element 2
      double[] humidityChange = new double[1];
      double[] temperatureChange = new double[3]; // written at element 3
      rc("s" + k + ".step.rc",
          libTAMO1DKernel.tamoStep1(h, 3600.0, 0, temperature, 16, false, humidity, 0, true, water,
              0, false, iterations, 0, false, humidityChange, 0, false, temperatureChange, 16,
              false, status, 4, false));
      doubles("s" + k + ".temperature", temperatures());
      doubles("s" + k + ".humidity", humidities());
      doubles("s" + k + ".water", water);
      ints("s" + k + ".counters", new int[] {iterations[0], status[1]});
      doubles("s" + k + ".changes", new double[] {humidityChange[0], temperatureChange[2]});
      if (k % 12 == 11)
        queryResults(h, k);
    }
    queryProperties(h);

    double[] grid = new double[NODES];
    rc("getgrid.rc", libTAMO1DKernel.tamoGetGrid1(h, NODES, grid, 0, false));
    doubles("getgrid", grid);
    rc("intermediate.badcount.rc",
        libTAMO1DKernel.tamoGetIntermediate1(h, 0, temperature, 16, false, humidity, 0, true,
            new double[NODES], 0, false, new double[NODES], 0, false, new double[NODES], 0, false,
            MATERIALS + 1, new double[MATERIALS + 1], 0, false, new double[1], 0, false,
            new double[1], 0, false));
    for (int flag = 1; flag <= 2; ++flag) {
      int[] negation = new int[1];
      int[] trueValue = new int[1];
      int[] falseValue = new int[1];
      rc("checkbool" + flag,
          libTAMO1DKernel.checkbool1(
              flag, negation, 0, false, trueValue, 0, false, falseValue, 0, false));
      ints("checkbool" + flag + ".values", new int[] {negation[0], trueValue[0], falseValue[0]});
    }
    rc("delete.rc", libTAMO1DKernel.tamoDeleteContext(h));
    rc("delete.again.rc", libTAMO1DKernel.tamoDeleteContext(h));
  }

  private void load(int h, int material, int kind, int analytic, int n, double[] xs, double[] ys) {
    rc("function.m" + material + ".k" + kind + ".a" + analytic,
        libTAMO1DKernel.tamoSetMaterialFunction1(
            h, material, kind, analytic, n, xs, 0, false, ys, 0, false));
  }

  private void queryResults(int h, int step) {
    final String s = "s" + step;
    double[] heat = new double[NODES];
    double[] enthalpy = new double[NODES];
    double[] vapour = new double[NODES];
    double[] liquid = new double[NODES];
    rc(s + ".flux.rc",
        libTAMO1DKernel.tamoGetFlux1(h, 0, temperature, 16, false, humidity, 0, true, heat, 0,
            false, enthalpy, 0, false, vapour, 0, false, liquid, 0, false));
    doubles(s + ".flux.heat", heat, N);
    doubles(s + ".flux.enthalpy", enthalpy, N);
    doubles(s + ".flux.vapour", vapour, N);
    doubles(s + ".flux.liquid", liquid, N);

    double[] heatA = new double[1];
    double[] vapourA = new double[2]; // written at element 2
    double[] heatB = new double[1];
    double[] vapourB = new double[1];
    rc(s + ".coeff.rc",
        libTAMO1DKernel.tamoGetSurfaceCoeff1(
            h, heatA, 0, false, vapourA, 8, false, heatB, 0, false, vapourB, 0, false));
    doubles(s + ".coeff", new double[] {heatA[0], vapourA[1], heatB[0], vapourB[0]});

    double[] water = new double[NODES];
    double[] saturation = new double[NODES];
    double[] dew = new double[NODES];
    double[] layer = new double[MATERIALS];
    double[] interior = new double[1];
    double[] total = new double[1];
    rc(s + ".intermediate.rc",
        libTAMO1DKernel.tamoGetIntermediate1(h, 0, temperature, 16, false, humidity, 0, true, water,
            0, false, saturation, 0, false, dew, 0, false, MATERIALS, layer, 0, false, interior, 0,
            false, total, 0, false));
    doubles(s + ".intermediate.water", water);
    doubles(s + ".intermediate.psat", saturation);
    doubles(s + ".intermediate.dew", dew);
    doubles(s + ".intermediate.layer", layer);
    doubles(s + ".intermediate.interior", interior);
    doubles(s + ".intermediate.total", total);

    double[] conductance = new double[NODES];
    double[] permeability = new double[NODES];
    double[] liquidTransfer = new double[NODES];
    rc(s + ".transport.rc",
        libTAMO1DKernel.tamoGetTransport1(
            h, NODES, conductance, 0, false, permeability, 0, false, liquidTransfer, 0, false));
    doubles(s + ".transport.heat", conductance);
    doubles(s + ".transport.vapour", permeability);
    doubles(s + ".transport.liquid", liquidTransfer);

    for (int source = 1; source <= SOURCES; ++source) {
      double[] heat1 = new double[1];
      double[] moisture1 = new double[1];
      rc(s + ".source" + source + ".rc",
          libTAMO1DKernel.tamoGetSourceQuantity1(h, source, NODES, temperature, 16, false, humidity,
              0, true, heat1, 0, false, moisture1, 0, false));
      doubles(s + ".source" + source, new double[] {heat1[0], moisture1[0]});
    }
  }

  private void queryProperties(int h) {
    for (int m = 1; m <= MATERIALS; ++m) {
      double[][] v = new double[8][1];
      int[] codes = new int[7];
      codes[0] = libTAMO1DKernel.tamoSoriso1(h, m, 0.5, v[0], 0, false, null, 0, false);
      codes[1] = libTAMO1DKernel.tamoSoriso1(h, m, 0.97, v[1], 0, false, v[2], 0, false);
      codes[2] = libTAMO1DKernel.tamoSorinv1(h, m, 20.0, v[3], 0, false);
      codes[3] = libTAMO1DKernel.tamoCaldw1(h, m, 50.0, v[4], 0, false, 1);
      codes[4] = libTAMO1DKernel.tamoCaldw1(h, m, 50.0, v[5], 0, false, 0);
      codes[5] = libTAMO1DKernel.tamoCalmu1(h, m, 0.7, v[6], 0, false);
      codes[6] = libTAMO1DKernel.tamoCallam1(h, m, 30.0, 10.0, v[7], 0, false);
      ints("m" + m + ".properties.rc", codes);
      double[] values = new double[8];
      for (int i = 0; i < 8; ++i) values[i] = v[i][0];
      doubles("m" + m + ".properties", values);
      double[] enthalpy = {-1.0};
      rc("m" + m + ".calent.rc", libTAMO1DKernel.tamoCalent1(h, m, 25.0, enthalpy, 0, false));
      doubles("m" + m + ".calent", enthalpy);
    }
  }

  private double[] temperatures() {
    double[] t = new double[NODES];
    System.arraycopy(temperature, 2, t, 0, NODES);
    return t;
  }

  private double[] humidities() {
    double[] phi = new double[NODES];
    humidity.get(0, phi);
    return phi;
  }

  // ---------------------------------------------------------------------------------------
  // Records
  // ---------------------------------------------------------------------------------------

  private void rc(String label, int code) { ints(label, new int[] {code}); }

  private void ints(String label, int[] values) {
    long[] bits = new long[values.length];
    for (int i = 0; i < values.length; ++i) bits[i] = values[i];
    results.put(label, new Record(false, bits));
  }

  private void doubles(String label, double[] values) { doubles(label, values, values.length); }

  private void doubles(String label, double[] values, int count) {
    long[] bits = new long[count];
    for (int i = 0; i < count; ++i) bits[i] = Double.doubleToRawLongBits(values[i]);
    results.put(label, new Record(true, bits));
  }

  /** One labelled result: raw bit patterns of doubles, or 32-bit integers. */
  private static final class Record {
    final boolean isDouble;
    final long[] bits;

    Record(boolean isDouble, long[] bits) {
      this.isDouble = isDouble;
      this.bits = bits;
    }

    String show(int i) {
      return isDouble ? Double.longBitsToDouble(bits[i]) + " (" + Long.toHexString(bits[i]) + ")"
                      : Long.toString(bits[i]);
    }

    /** Reads "label d count hex..." and "label i count int..." lines. */
    static Map<String, Record> readAll(Path file) throws Exception {
      Map<String, Record> records = new LinkedHashMap<>();
      List<String> lines = Files.readAllLines(file);
      for (String line : lines) {
        String[] f = line.trim().split("\\s+");
        int count = Integer.parseInt(f[2]);
        long[] bits = new long[count];
        boolean isDouble = f[1].equals("d");
        for (int i = 0; i < count; ++i) {
          bits[i] = isDouble ? Long.parseUnsignedLong(f[3 + i], 16) : Long.parseLong(f[3 + i]);
        }
        records.put(f[0], new Record(isDouble, bits));
      }
      return records;
    }
  }
}
