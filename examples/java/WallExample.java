import ext.libTAMO1DKernel;

/**
 * Example Java host: a two-layer wall (solid brick outside, mineral insulation board inside)
 * stepped hourly for a month (30 days, or the number of hours given as argument) through the
 * native methods of ext.libTAMO1DKernel, under a synthetic winter climate with daily cycles
 * and a rain shower every fourth day. Prints the mean water content of each layer once a week
 * and at the end.
 *
 * <p>Side A is the exterior, side B the room. Run with the jar of the binding on the class
 * path and the folder of libtamo1dkernel in java.library.path.
 */
public final class WallExample {
  private static final String[] NAMES = {"solid brick", "insulation board"};
  private static final double[] THICKNESS = {0.24, 0.10}; // m
  private static final int[] CELLS = {24, 20};

  private WallExample() {}

  public static void main(String[] args) {
    final int hours = args.length > 0 ? Integer.parseInt(args[0]) : 30 * 24;
    // Interface positions: cells of each layer, finer towards the layer boundaries.
    final int cells = CELLS[0] + CELLS[1];
    final int count = cells + 1; // N interfaces, n = N + 1 nodes
    final int nodes = count + 1;
    double[] x = new double[count];
    int[] materials = new int[count];
    int k = 1;
    double start = 0.0;
    for (int layer = 0; layer < 2; ++layer) {
      for (int c = 1; c <= CELLS[layer]; ++c, ++k) {
        final double s = (double) c / CELLS[layer];
        x[k] = start + THICKNESS[layer] * (s - 0.6 * Math.sin(2.0 * Math.PI * s) / (2.0 * Math.PI));
        materials[k] = layer + 1;
      }
      start += THICKNESS[layer];
    }

    final int h = libTAMO1DKernel.tamoCreateContext();
    check(libTAMO1DKernel.tamoSetGrid1(h, count, x, 0, false, 0.0, materials, 0, false), "grid");
    check(libTAMO1DKernel.tamoSetParameter1(h, 1, 1, 1, 0, 0, 0, 1, 1, 1, 0, 0, 0), "parameters");
    // Brick: storage through (0.5, 2) and (0.8, 4) up to free saturation 180 kg/m3, water
    // absorption coefficient 0.3 kg/(m2 s^0.5), conductivity 0.6 W/(m K), mu 10.
    material(h, 1, 1900.0, 0.24, 850.0, new double[] {2.0, 4.0, 180.0}, 0.3, 0.6, 10.0);
    // Insulation board: storage up to 700 kg/m3, A = 1.0, conductivity 0.06, mu 5.
    material(h, 2, 250.0, 0.90, 1000.0, new double[] {3.0, 6.0, 700.0}, 1.0, 0.06, 5.0);
    check(libTAMO1DKernel.tamoSetSurfaceCondition(
              h, 101325.0, 17.0, 0.0, 0.6, 0.9, 0.7, 6.5, 0, 8.0, 0.0, 0.4, 0.9, 0.0, 4.5, 0),
        "surfaces");

    double[] temperature = new double[nodes];
    double[] humidity = new double[nodes];
    double[] water = new double[nodes];
    java.util.Arrays.fill(temperature, 10.0);
    java.util.Arrays.fill(humidity, 0.7);
    int[] iterations = new int[1];
    int[] status = new int[1];
    double[] changeHumidity = new double[1];
    double[] changeTemperature = new double[1];
    System.out.printf("%6s %12s %12s %10s%n", "day", NAMES[0], NAMES[1], "total");
    System.out.printf("%6s %12s %12s %10s%n", "", "kg/m3", "kg/m3", "kg/m2");
    for (int hour = 0; hour < hours; ++hour) {
      final double day = hour / 24.0;
      final double daily = Math.sin(2.0 * Math.PI * (day - 0.375));
      final double sun = Math.sin(2.0 * Math.PI * (day - 0.25));
      final double rain = (hour % 96) >= 40 && (hour % 96) < 43 ? 1.5 : 0.0; // kg/(m2 h)
      check(libTAMO1DKernel.tamoTransBound(h, 17.0, 0.0, 2.0 + 4.0 * daily, 0.85 - 0.1 * daily,
                sun > 0.0 ? 250.0 * sun : -40.0, 0.0, rain, 8.0, 0.0, 20.0, 0.5, 0.0, 0.0, 0.0,
                101325.0),
          "climate");
      final int rc = libTAMO1DKernel.tamoStep1(h, 3600.0, 0, temperature, 0, false, humidity, 0,
          false, water, 0, false, iterations, 0, false, changeHumidity, 0, false, changeTemperature,
          0, false, status, 0, false);
      check(rc, "step at hour " + hour);
      if ((hour + 1) % (7 * 24) == 0 || hour + 1 == hours)
        print(h, (hour + 1) / 24.0, temperature, humidity, nodes);
    }
    check(libTAMO1DKernel.tamoDeleteContext(h), "delete");
  }

  private static void material(int h, int m, double rho, double por, double cap, double[] w,
      double absorption, double lambda, double mu) {
    check(libTAMO1DKernel.tamoSetMaterial(h, m, rho, por, cap, 0), "material " + m);
    load(h, m, 1, 1, new double[] {0.5, 0.8, 1.0}, w);
    load(h, m, 2, 1, new double[] {0.0}, new double[] {absorption});
    load(h, m, 3, 1, new double[] {0.0}, new double[] {absorption});
    load(h, m, 4, 1, new double[] {0.0, 0.0}, new double[] {lambda, 8.0});
    load(h, m, 5, 0, null, null);
    load(h, m, 6, 0, new double[] {0.0, 1.0}, new double[] {mu, mu});
  }

  private static void load(int h, int m, int kind, int analytic, double[] xs, double[] ys) {
    final int n = ys == null ? 0 : ys.length;
    check(libTAMO1DKernel.tamoSetMaterialFunction1(
              h, m, kind, analytic, n, xs, 0, false, ys, 0, false),
        "material " + m + " function " + kind);
  }

  /** Mean water content of each layer and total water per unit wall area. */
  private static void print(int h, double day, double[] t, double[] phi, int nodes) {
    double[] layer = new double[2];
    double[] interior = new double[1];
    double[] total = new double[1];
    check(libTAMO1DKernel.tamoGetIntermediate1(h, 0, t, 0, false, phi, 0, false, new double[nodes],
              0, false, new double[nodes], 0, false, new double[nodes], 0, false, 2, layer, 0,
              false, interior, 0, false, total, 0, false),
        "intermediate");
    System.out.printf("%6.1f %12.3f %12.3f %10.4f%n", day, layer[0], layer[1], total[0]);
  }

  private static void check(int rc, String what) {
    if (rc != 0) {
      System.err.println(what + ": result code " + rc);
      System.exit(1);
    }
  }
}
