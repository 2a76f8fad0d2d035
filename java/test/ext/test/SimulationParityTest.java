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
 * <p>The calls take turns among the forms a Java host gives its arrays: plain arrays, arrays at
 * a byte offset of two elements, byte arrays at byte offset 8 (the offset counts bytes whatever
 * the array type) and slices of direct buffers at byte offset 16. The elements around the
 * passed range must stay untouched, also in refused calls. Run with -Xcheck:jni: a primitive
 * array reaches the library as a copy that only a release with mode 0 writes back, and a call
 * that leaves an array in its critical region draws a warning at the next JNI call. Every
 * declared native method must be called, which proves that each binds to an exported symbol.
 */
public final class SimulationParityTest {
  private static final long SENTINEL = 0x5a5a5a5aL;

  private SimulationParityTest() {}

  public static void main(String[] args) throws Exception {
    replay(Files.readAllLines(Path.of(args[0])));
    System.out.println(passed + " passed, " + failed + " failed");
    System.exit(failed == 0 && passed > 0 ? 0 : 1);
  }

  private static int passed;
  private static int failed;

  private static void check(boolean condition, String what) {
    if (condition) {
      ++passed;
    } else {
      ++failed;
      System.out.println("FAILED " + what);
    }
  }

  private static void checkEquals(long expected, long actual, String what) {
    check(expected == actual, what + ": expected " + expected + ", got " + actual);
  }

  private static void replay(List<String> log) throws Exception {
    Map<String, Method> natives = new HashMap<>();
    for (Method m : libTAMO1DKernel.class.getDeclaredMethods())
      if (Modifier.isNative(m.getModifiers()))
        natives.put(m.getName(), m);
    Set<String> called = new HashSet<>();
    check(log.size() > 100, "log holds " + log.size() + " calls");
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
          Slot s = new Slot(t, line % 4);
          arrays.add(s);
          values[k] = s.storage;
          values[++k] = s.offset();
          values[++k] = s.direct;
        }
      }
      String where = "line " + (line + 1) + " " + in[0];
      checkEquals(in.length, token, where + ": arguments used");
      checkEquals(Integer.parseInt(out[0]), (Integer) m.invoke(null, values), where);
      for (int a = 0; a < arrays.size(); ++a) arrays.get(a).compare(out[1 + a], where);
    }
    for (String name : natives.keySet()) check(called.contains(name), "called " + name);
  }

  /** One array argument in the host form of its call, filled from its log token. */
  private static final class Slot {
    final boolean isDouble;
    final boolean direct;
    final int count;
    final int pad; // elements before and after the passed range
    final Object storage;
    final ByteBuffer bytes; // the view of a byte[] or a direct buffer

    Slot(String token, int form) {
      isDouble = token.charAt(0) == 'D';
      long[] bits = parse(token);
      count = bits == null ? 0 : bits.length;
      direct = form == 3;
      pad = bits == null || form == 0 ? 0 : form == 1 ? 2 : 8 * (form - 1) / size();
      int length = count + 2 * pad;
      if (bits == null) {
        storage = bytes = null;
      } else if (form == 2) {
        storage = new byte[length * size()];
        bytes = ByteBuffer.wrap((byte[]) storage).order(ByteOrder.nativeOrder());
      } else if (form == 3) { // a slice: the library must use its own address
        ByteBuffer whole = ByteBuffer.allocateDirect(24 + length * size());
        storage = bytes = whole.position(24).slice().order(ByteOrder.nativeOrder());
      } else {
        storage = isDouble ? new double[length] : new int[length];
        bytes = null;
      }
      for (int i = 0; i < length; ++i) set(i, i >= pad && i < pad + count ? bits[i - pad] : SENTINEL);
    }

    int offset() { return pad * size(); }

    int size() { return isDouble ? 8 : 4; }

    void compare(String token, String where) {
      long[] expected = parse(token);
      for (int i = 0; i < count + 2 * pad; ++i) {
        boolean inside = i >= pad && i < pad + count;
        checkEquals(inside ? expected[i - pad] : SENTINEL, get(i),
            where + " array " + token.charAt(0) + " element " + (i - pad));
      }
    }

    long get(int i) {
      if (bytes != null)
        return isDouble ? bytes.getLong(8 * i) : bytes.getInt(4 * i);
      return isDouble ? Double.doubleToRawLongBits(((double[]) storage)[i]) : ((int[]) storage)[i];
    }

    void set(int i, long bits) {
      if (bytes != null && isDouble)
        bytes.putLong(8 * i, bits);
      else if (bytes != null)
        bytes.putInt(4 * i, (int) bits);
      else if (isDouble)
        ((double[]) storage)[i] = Double.longBitsToDouble(bits);
      else
        ((int[]) storage)[i] = (int) bits;
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
