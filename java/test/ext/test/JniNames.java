package ext.test;

import java.lang.reflect.Method;

/** JNI long names of Java methods, derived from their declarations by the JNI mangling rules. */
final class JniNames {
  private JniNames() {}

  /** "Java_" + class + "_" + method + "__" + argument signature, each part mangled. */
  static String longName(Method m) {
    StringBuilder signature = new StringBuilder();
    for (Class<?> p : m.getParameterTypes()) signature.append(descriptor(p));
    return "Java_" + mangle(m.getDeclaringClass().getName().replace('.', '/')) + "_"
        + mangle(m.getName()) + "__" + mangle(signature.toString());
  }

  private static String descriptor(Class<?> c) {
    if (c.isArray())
      return "[" + descriptor(c.getComponentType());
    if (c == int.class)
      return "I";
    if (c == double.class)
      return "D";
    if (c == boolean.class)
      return "Z";
    if (c == long.class)
      return "J";
    if (c == float.class)
      return "F";
    if (c == short.class)
      return "S";
    if (c == byte.class)
      return "B";
    if (c == char.class)
      return "C";
    if (c == void.class)
      return "V";
    return "L" + c.getName().replace('.', '/') + ";";
  }

  private static String mangle(String s) {
    StringBuilder out = new StringBuilder();
    for (char ch : s.toCharArray()) {
      if (ch == '/') {
        out.append('_');
      } else if (ch == '_') {
        out.append("_1");
      } else if (ch == ';') {
        out.append("_2");
      } else if (ch == '[') {
        out.append("_3");
      } else if ((ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z') || (ch >= '0' && ch <= '9')) {
        out.append(ch);
      } else {
        out.append(String.format("_0%04x", (int) ch));
      }
    }
    return out.toString();
  }
}
