package ext.test;

import ext.libTAMO1DKernel;
import java.lang.reflect.Method;
import java.lang.reflect.Modifier;
import java.nio.ByteBuffer;
import java.nio.ByteOrder;
import java.nio.file.Files;
import java.nio.file.Path;
import java.util.ArrayList;
import java.util.HashMap;
import java.util.HashSet;
import java.util.List;
import java.util.Map;
import java.util.Set;

/**
 * Replays the call log of tamo_parity_case_driver (a full simulation through the C interface:
 * grid, parameters, three materials with every function kind, surface conditions, sources, 24
 * climate updates and steps, every result and property query, refused calls, delete) through
 * the native methods, and checks each result and each array after the call bit for bit against
 * the C run. Argument: the driver's log.
 *
 * <p>The array arguments take turns among the forms a Java host uses: a plain array, an array
 * at byte offset 2 elements into a larger one, and a direct buffer at byte offset 16. The
 * elements around the passed range must stay untouched. Every declared native method must be
 * called, which also proves that each one binds to an exported symbol.
 */
public final class SimulationParityTest {
  private static final long SENTINEL = 0x5a5a5a5aL;
  private static int arrayTurn;

  private SimulationParityTest() {}

  public static void main(String[] args) {
    TestReport report = new TestReport();
    report.run("replay of the C run", () -> replay(report, Files.readAllLines(Path.of(args[0]))));
    report.finish();
  }

  private static void replay(TestReport report, List<String> log) throws Exception {
    Map<String, Method> natives = new HashMap<>();
    for (Method m : libTAMO1DKernel.class.getDeclaredMethods())
      if (Modifier.isNative(m.getModifiers()))
        natives.put(m.getName(), m);
    Set<String> called = new HashSet<>();
    report.check(log.size() > 100, "log holds " + log.size() + " calls");
    for (int line = 0; line < log.size(); ++line) {
      String[] halves = log.get(line).split(" = ");
      String[] in = halves[0].split(" ");
      String[] out = halves[1].split(" ");
      Method m = natives.get(in[0] + "1"); // the array-taking form carries a suffix 1
      if (m == null || !List.of(m.getParameterTypes()).contains(Object.class))
        m = natives.get(in[0]);
      called.add(m.getName());
      Class<?>[] types = m.getParameterTypes();
      Object[] values = new Object[types.length];
      List<Slot> arrays = new ArrayList<>();
      int token = 1;
      for (int k = 0; k < types.length; ++k) {
        String t = in[token++];
        if (types[k] == int.class) {
          values[k] = Integer.parseInt(t);
        } else if (types[k] == double.class) {
          values[k] = Double.longBitsToDouble(Long.parseUnsignedLong(t, 16));
        } else {
          Slot s = new Slot(t, arrayTurn++ % 3);
          arrays.add(s);
          values[k] = s.storage();
          values[++k] = s.offset();
          values[++k] = s.direct;
        }
      }
      String where = "line " + (line + 1) + " " + in[0];
      report.checkEquals(in.length, token, where + ": arguments used");
      report.checkEquals(Integer.parseInt(out[0]), (Integer) m.invoke(null, values), where);
      for (int a = 0; a < arrays.size(); ++a) arrays.get(a).compare(report, out[1 + a], where);
    }
    for (String name : natives.keySet()) report.check(called.contains(name), "called " + name);
  }

  /** One array argument in the host form of its turn, filled from its log token. */
  private static final class Slot {
    final boolean isDouble;
    final boolean direct;
    final int count;
    final int pad; // elements before and after the passed range
    final double[] doubles;
    final int[] ints;
    final ByteBuffer buffer;

    Slot(String token, int form) {
      isDouble = token.charAt(0) == 'D';
      long[] bits = parse(token);
      count = bits == null ? 0 : bits.length;
      direct = form == 2;
      pad = bits == null || form == 0 ? 0 : form == 1 ? 2 : 16 / size();
      int length = count + 2 * pad;
      doubles = isDouble && !direct && bits != null ? new double[length] : null;
      ints = !isDouble && !direct && bits != null ? new int[length] : null;
      buffer = direct && bits != null
          ? ByteBuffer.allocateDirect(length * size()).order(ByteOrder.nativeOrder())
          : null;
      for (int i = 0; i < length; ++i) set(i, SENTINEL);
      for (int i = 0; i < count; ++i) set(pad + i, bits[i]);
    }

    Object storage() { return doubles != null ? doubles : ints != null ? ints : buffer; }

    int offset() { return pad * size(); }

    int size() { return isDouble ? 8 : 4; }

    void compare(TestReport report, String token, String where) {
      long[] expected = parse(token);
      for (int i = 0; i < count + 2 * pad; ++i) {
        boolean inside = i >= pad && i < pad + count;
        report.checkEquals(inside ? expected[i - pad] : SENTINEL, get(i),
            where + " array " + token.charAt(0) + " element " + (i - pad));
      }
    }

    long get(int i) {
      if (isDouble)
        return Double.doubleToRawLongBits(direct ? buffer.getDouble(8 * i) : doubles[i]);
      return direct ? buffer.getInt(4 * i) : ints[i];
    }

    void set(int i, long bits) {
      if (isDouble && direct)
        buffer.putDouble(8 * i, Double.longBitsToDouble(bits));
      else if (isDouble)
        doubles[i] = Double.longBitsToDouble(bits);
      else if (direct)
        buffer.putInt(4 * i, (int) bits);
      else
        ints[i] = (int) bits;
    }

    /** "D3:hex,hex,hex" or "I2:5,6" to raw bits; "D-" / "I-" (null) to null. */
    static long[] parse(String token) {
      if (token.charAt(1) == '-')
        return null;
      int colon = token.indexOf(':');
      long[] bits = new long[Integer.parseInt(token.substring(1, colon))];
      String[] values = token.substring(colon + 1).split(",");
      for (int i = 0; i < bits.length; ++i) {
        bits[i] = token.charAt(0) == 'D' ? Long.parseUnsignedLong(values[i], 16)
                                         : Long.parseLong(values[i]);
      }
      return bits;
    }
  }
}
