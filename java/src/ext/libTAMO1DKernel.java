package ext;

/**
 * Native methods of the tamo1dkernel library: one-dimensional transient coupled heat and
 * moisture transport through multi-layer building components.
 *
 * <p>Each method is a thin adapter over one exported C operation of the library (named in its
 * description). It passes its scalars through unchanged, calls the C operation and returns the
 * C operation's result unchanged: a handle for {@link #tamoCreateContext()}, the returned
 * value for {@link #checkbool1}, and a result code for every other method. The adapters
 * validate nothing themselves.
 *
 * <h2>Static methods</h2>
 *
 * All methods are {@code static}: the library keeps its state in simulation contexts that are
 * identified by integer handles, not in Java objects, so there is nothing an instance could
 * hold. The class cannot be instantiated. Loading the class loads the native library {@code
 * tamo1dkernel} (libtamo1dkernel.so, libtamo1dkernel.dylib or tamo1dkernel.dll) from {@code
 * java.library.path}.
 *
 * <h2>Array arguments</h2>
 *
 * Every array of a C operation is passed as three consecutive parameters:
 *
 * <ul>
 *   <li>{@code Object array}: a primitive array ({@code double[]}, or {@code int[]} where the C
 *       operation takes 32-bit integers), a direct NIO buffer in native byte order, or {@code
 *       null};
 *   <li>{@code int offset}: the offset <em>in bytes</em> from the start of the array's (or
 *       buffer's) storage to the element the C operation sees as its element 1; 16 on a {@code
 *       double[]} makes element 1 the array's third element. A {@code null} array must come
 *       with offset 0, and the C operation then receives a null pointer;
 *   <li>{@code boolean direct}: {@code true} when the object is a direct buffer, {@code false}
 *       when it is a primitive array.
 * </ul>
 *
 * A primitive array is held in a JNI critical region for the duration of the C operation (for
 * {@link #tamoStep1} the whole time step) and released afterwards, also when the operation
 * fails, so that what the operation wrote reaches the array. A direct buffer is read and
 * written in place. The caller must make sure that each array holds enough elements after the
 * offset; the library cannot check it.
 *
 * <h2>Conventions</h2>
 *
 * Units: temperature degC, relative humidity as a fraction (1.0 = saturated air, up to 1.01 in
 * the over-hygroscopic range), water content kg/m3, pressure Pa, length m, time s, rain
 * kg/(m2 h), radiation W/m2. A grid of N interface positions has n = N+1 nodes: node 1 is the
 * ambient air of side A, node n that of side B, nodes 2..N are the finite volumes of the
 * component; interface k lies between nodes k and k+1. Fluxes are positive from side A to side
 * B. Logical arguments are true when their lowest bit is 1.
 *
 * <h2>Result codes</h2>
 *
 * <pre>
 *    0  success
 *   -1  invalid handle
 *   -2  material number outside 1..number of material records
 *   -3  function kind outside 1..7; or the material has no enthalpy table
 *   -6  material count outside 1..highest material number
 *   -7  no grid defined yet
 *   -8  source kind outside 0..2
 *   -9  source number outside its valid range
 *  -10  flag argument not allowed for the function kind
 *  -11  memory cannot be obtained
 *  -12  table length not allowed; or no moisture storage function
 *  -13  already set: the item may be defined only once per context
 *  -20  the time step diverged (outputs are written all the same)
 *  -21  an array the operation must read or write is null
 *  -22  an argument lies outside what can be computed
 * </pre>
 *
 * A refused call changes nothing. The library takes no lock: issue one call at a time across
 * all contexts.
 */
public final class libTAMO1DKernel {
  static { System.loadLibrary("tamo1dkernel"); }

  private libTAMO1DKernel() {}

  // ---------------------------------------------------------------------------------------
  // Contexts and parameters
  // ---------------------------------------------------------------------------------------

  /**
   * Creates a simulation context (C operation {@code tamoCreateContext}). Contexts created
   * through Java and through the C interface share one process-wide table.
   *
   * @return the handle (&gt;= 1), or -11 when memory cannot be obtained
   */
  public static native int tamoCreateContext();

  /**
   * Releases a context and everything it owns (C operation {@code tamoDeleteContext}).
   *
   * @param handle context handle
   * @return 0; -1 invalid handle
   */
  public static native int tamoDeleteContext(int handle);

  /**
   * Sets the solver switches once per context, after the grid (C operation {@code
   * tamoSetParameter}). It removes every source defined before it. No array is written.
   *
   * @param handle context handle
   * @param heatTransport solve the heat balance
   * @param moistureTransport solve the moisture balance
   * @param liquidTransport liquid transport and rain absorption (with moisture transport)
   * @param fineConvergence tolerance 1e-6 and three times the iteration limits (else 1e-5)
   * @param stabilisedIteration more iterations and smaller relaxation factors
   * @param unused1 accepted, no effect
   * @param evaporation heat of evaporation 2.5e6 J/kg in the heat balance
   * @param fusion heat of fusion 333000 J/kg in the heat balance
   * @param unused2 accepted, no effect
   * @param unused3 accepted, no effect
   * @param unused4 accepted, no effect
   * @return 0; -1 invalid handle; -7 no grid; -13 parameters already set
   */
  public static native int tamoSetParameter(int handle, int heatTransport, int moistureTransport,
      int liquidTransport, int fineConvergence, int stabilisedIteration, int unused1,
      int evaporation, int fusion, int unused2, int unused3, int unused4);

  /**
   * As {@link #tamoSetParameter}, with the temperature-dependent heat of evaporation (C
   * operation {@code tamoSetParameter1}). No array is written.
   *
   * @param handle context handle
   * @param heatTransport solve the heat balance
   * @param moistureTransport solve the moisture balance
   * @param liquidTransport liquid transport and rain absorption (with moisture transport)
   * @param fineConvergence tolerance 1e-6 and three times the iteration limits (else 1e-5)
   * @param stabilisedIteration more iterations and smaller relaxation factors
   * @param unused1 accepted, no effect
   * @param evaporation heat of evaporation in the heat balance
   * @param temperatureDependentEvaporation heat of evaporation 2.5e6 - 2440 * T J/kg (only
   *     with evaporation)
   * @param fusion heat of fusion 333000 J/kg in the heat balance
   * @param unused2 accepted, no effect
   * @param unused3 accepted, no effect
   * @param unused4 accepted, no effect
   * @return 0; -1 invalid handle; -7 no grid; -13 parameters already set
   */
  public static native int tamoSetParameter1(int handle, int heatTransport, int moistureTransport,
      int liquidTransport, int fineConvergence, int stabilisedIteration, int unused1,
      int evaporation, int temperatureDependentEvaporation, int fusion, int unused2, int unused3,
      int unused4);

  // ---------------------------------------------------------------------------------------
  // Model definition
  // ---------------------------------------------------------------------------------------

  /**
   * Defines the grid once per context (C operation {@code tamoSetGrid}). Reads both arrays,
   * writes none.
   *
   * @param handle context handle
   * @param count N, the number of interface positions (&gt;= 1)
   * @param positions {@code double[]}: N interface positions, m, surface A first
   * @param positionsOffset byte offset of element 1
   * @param positionsDirect positions is a direct buffer
   * @param radius inner radius R &gt; 0 (m) selects cylindrical geometry; R &lt;= 0 plane
   * @param materials {@code int[]}: N material numbers; entry k (2..N) is the material of the
   *     element between positions k-1 and k; entry 1 is ignored
   * @param materialsOffset byte offset of element 1
   * @param materialsDirect materials is a direct buffer
   * @return 0; -1 invalid handle; -13 grid already defined; -21 null array; -22 N &lt; 1; -11
   *     memory
   */
  public static native int tamoSetGrid1(int handle, int count, Object positions,
      int positionsOffset, boolean positionsDirect, double radius, Object materials,
      int materialsOffset, boolean materialsDirect);

  /**
   * Copies interface positions 1..count (m) into {@code out}; entry N+1 repeats position N (C
   * operation {@code tamoGetGrid}). Writes {@code out}.
   *
   * @param handle context handle
   * @param count number of entries (at most N+1 are copied; &lt;= 0 copies nothing)
   * @param out {@code double[]}: receives the positions
   * @param outOffset byte offset of element 1
   * @param outDirect out is a direct buffer
   * @return 0; -1 invalid handle; -7 no grid; -21 null out with count &gt;= 1
   */
  public static native int tamoGetGrid1(
      int handle, int count, Object out, int outOffset, boolean outDirect);

  /**
   * Sets the dry properties of a material (C operation {@code tamoSetMaterial}); call it
   * before loading the material's functions. No array is written.
   *
   * @param handle context handle
   * @param material material number 1..M
   * @param rho bulk density, kg/m3
   * @param por porosity, m3/m3 (the maximum water content becomes 1000 * por)
   * @param cap specific heat capacity, J/(kg K)
   * @param vapourTight the material blocks vapour diffusion
   * @return 0; -1 invalid handle; -2 material outside 1..M
   */
  public static native int tamoSetMaterial(
      int handle, int material, double rho, double por, double cap, int vapourTight);

  /**
   * Loads one material function from n points or, with analytic = 1, from parameters (C
   * operation {@code tamoSetMaterialFunction}). Kinds: 1 moisture storage w(phi) kg/m3; 2
   * liquid transport coefficient for suction D(w) m2/s; 3 the same for redistribution; 4
   * thermal conductivity over water content W/(m K); 5 thermal conductivity over temperature
   * degC; 6 vapour diffusion resistance factor over relative humidity; 7 enthalpy J/kg over
   * temperature. Load kind 1 first (after {@link #tamoSetMaterial}), kind 4 before kind 5.
   * Reads both arrays, writes none.
   *
   * @param handle context handle
   * @param material material number 1..M
   * @param kind function kind 1..7
   * @param analytic 1: build the table from parameters (kinds 1..5); 0: table of points
   * @param n number of points
   * @param xs {@code double[]}: n x values
   * @param xsOffset byte offset of element 1
   * @param xsDirect xs is a direct buffer
   * @param ys {@code double[]}: n y values (or the parameters)
   * @param ysOffset byte offset of element 1
   * @param ysDirect ys is a direct buffer
   * @return 0; -1 invalid handle; -2 material; -3 kind; -10 analytic not allowed; -12 table
   *     length not allowed; -21 null array with n &gt;= 1; -11 memory
   */
  public static native int tamoSetMaterialFunction1(int handle, int material, int kind,
      int analytic, int n, Object xs, int xsOffset, boolean xsDirect, Object ys, int ysOffset,
      boolean ysDirect);

  /**
   * Sets the constant surface properties of both sides once per context (C operation {@code
   * tamoSetSurfaceCondition}). No array is written.
   *
   * @param handle context handle
   * @param pressure barometric pressure, Pa (for the boundary-layer thickness)
   * @param heatTransferA side A heat transfer coefficient, W/(m2 K)
   * @param sdA side A diffusion-equivalent air layer of a coating, m (negative: the whole
   *     thickness, given directly)
   * @param absorptivityA side A short-wave absorptivity
   * @param emissivityA side A long-wave emissivity
   * @param rainFactorA side A rain absorption factor
   * @param radiativePartA side A radiative part of the heat transfer coefficient, W/(m2 K)
   * @param explicitLongWaveA side A computes long-wave emission and counter-radiation
   *     explicitly
   * @param heatTransferB side B heat transfer coefficient, W/(m2 K)
   * @param sdB side B diffusion-equivalent air layer, m
   * @param absorptivityB side B short-wave absorptivity
   * @param emissivityB side B long-wave emissivity
   * @param rainFactorB side B rain absorption factor
   * @param radiativePartB side B radiative part of the heat transfer coefficient, W/(m2 K)
   * @param explicitLongWaveB side B explicit long-wave flag
   * @return 0; -1 invalid handle; -13 already set
   */
  public static native int tamoSetSurfaceCondition(int handle, double pressure,
      double heatTransferA, double sdA, double absorptivityA, double emissivityA,
      double rainFactorA, double radiativePartA, int explicitLongWaveA, double heatTransferB,
      double sdB, double absorptivityB, double emissivityB, double rainFactorB,
      double radiativePartB, int explicitLongWaveB);

  /**
   * Sets the climate of both sides for the coming step (C operation {@code tamoTransBound}).
   * Also refreshes the climate-coupled sources. No array is written.
   *
   * @param handle context handle
   * @param heatTransferA side A heat transfer coefficient, W/(m2 K)
   * @param sdA side A diffusion-equivalent air layer, m
   * @param temperatureA side A air temperature, degC
   * @param humidityA side A relative humidity
   * @param radiationA side A radiation, W/m2 (short-wave gain positive, long-wave loss
   *     negative)
   * @param counterRadiationA side A long-wave counter-radiation, W/m2 (explicit long-wave
   *     only)
   * @param rainA side A rain, kg/(m2 h)
   * @param heatTransferB side B heat transfer coefficient, W/(m2 K)
   * @param sdB side B diffusion-equivalent air layer, m
   * @param temperatureB side B air temperature, degC
   * @param humidityB side B relative humidity
   * @param radiationB side B radiation, W/m2
   * @param counterRadiationB side B long-wave counter-radiation, W/m2
   * @param rainB side B rain, kg/(m2 h)
   * @param pressure barometric pressure, Pa
   * @return 0; -1 invalid handle
   */
  public static native int tamoTransBound(int handle, double heatTransferA, double sdA,
      double temperatureA, double humidityA, double radiationA, double counterRadiationA,
      double rainA, double heatTransferB, double sdB, double temperatureB, double humidityB,
      double radiationB, double counterRadiationB, double rainB, double pressure);

  /**
   * Defines a heat, moisture or air-exchange source once, after the parameters (C operation
   * {@code tamoSetSource}). Reads {@code values}, writes nothing.
   *
   * @param handle context handle
   * @param number source number &gt;= 1
   * @param type 0 heat (W/m2), 1 moisture (kg/(m2 h)), 2 air exchange (air changes per hour)
   * @param subtype 0 plain; 1 air infiltration model (moisture sources only); other values:
   *     inactive
   * @param side 1 or 2 couples the source to that side's climate
   * @param start position where the source begins, m
   * @param thickness extent of the source, m
   * @param values {@code double[]}: value(1), and value(2..3) for subtype 1
   * @param valuesOffset byte offset of element 1
   * @param valuesDirect values is a direct buffer
   * @return 0; -1 invalid handle; -9 number &lt; 1; -8 type; -13 number already defined; -7 no
   *     grid; -22 air exchange without side; -21 values null; -11 memory
   */
  public static native int tamoSetSource1(int handle, int number, int type, int subtype, int side,
      double start, double thickness, Object values, int valuesOffset, boolean valuesDirect);

  /**
   * Changes the value of a source; a null {@code values} refreshes only its climate coupling
   * (C operation {@code tamoUpdateSource}). Reads {@code values}, writes nothing.
   *
   * @param handle context handle
   * @param number source number
   * @param values {@code double[]} or null: the new value(1..3)
   * @param valuesOffset byte offset of element 1 (0 with null)
   * @param valuesDirect values is a direct buffer
   * @return 0; -1 invalid handle; -9 number outside 1..number of sources
   */
  public static native int tamoUpdateSource1(
      int handle, int number, Object values, int valuesOffset, boolean valuesDirect);

  // ---------------------------------------------------------------------------------------
  // Time step
  // ---------------------------------------------------------------------------------------

  /**
   * Advances the context by one implicit time step (C operation {@code tamoStep}). Reads and
   * writes {@code temperature} and {@code humidity} (entries 1 and n become the ambient
   * values); writes {@code waterContent}, {@code iterationCount}, {@code maxHumidityChange},
   * {@code maxTemperatureChange} and {@code status}.
   *
   * @param handle context handle
   * @param dt time step, s
   * @param ignored not read
   * @param temperature {@code double[]}: n node temperatures, degC, in/out
   * @param temperatureOffset byte offset of element 1
   * @param temperatureDirect temperature is a direct buffer
   * @param humidity {@code double[]}: n node relative humidities, in/out
   * @param humidityOffset byte offset of element 1
   * @param humidityDirect humidity is a direct buffer
   * @param waterContent {@code double[]}: n node water contents, kg/m3, out
   * @param waterContentOffset byte offset of element 1
   * @param waterContentDirect waterContent is a direct buffer
   * @param iterationCount {@code int[]}: 1 entry, iterations since the counter was reset, out
   * @param iterationCountOffset byte offset of element 1
   * @param iterationCountDirect iterationCount is a direct buffer
   * @param maxHumidityChange {@code double[]}: 1 entry, largest humidity change of the last
   *     iteration, out
   * @param maxHumidityChangeOffset byte offset of element 1
   * @param maxHumidityChangeDirect maxHumidityChange is a direct buffer
   * @param maxTemperatureChange {@code double[]}: 1 entry, largest temperature change of the
   *     last iteration, K, out
   * @param maxTemperatureChangeOffset byte offset of element 1
   * @param maxTemperatureChangeDirect maxTemperatureChange is a direct buffer
   * @param status {@code int[]}: 1 entry, status bits (1 rain uptake mismatch, 2 not
   *     converged, 4 diverged), out
   * @param statusOffset byte offset of element 1
   * @param statusDirect status is a direct buffer
   * @return 0 (also when not converged); -1 invalid handle; -7 no grid; -22 dt not finite or
   *     &lt;= 0, or an element without material; -21 null array; -11 memory; -20 diverged
   *     (outputs written all the same)
   */
  public static native int tamoStep1(int handle, double dt, int ignored, Object temperature,
      int temperatureOffset, boolean temperatureDirect, Object humidity, int humidityOffset,
      boolean humidityDirect, Object waterContent, int waterContentOffset,
      boolean waterContentDirect, Object iterationCount, int iterationCountOffset,
      boolean iterationCountDirect, Object maxHumidityChange, int maxHumidityChangeOffset,
      boolean maxHumidityChangeDirect, Object maxTemperatureChange, int maxTemperatureChangeOffset,
      boolean maxTemperatureChangeDirect, Object status, int statusOffset, boolean statusDirect);

  // ---------------------------------------------------------------------------------------
  // Results
  // ---------------------------------------------------------------------------------------

  /**
   * Fluxes across every interface k = 1..N for the given node state (C operation {@code
   * tamoGetFlux}). Reads {@code temperature} and {@code humidity}; writes the four flux
   * arrays. Fluxes are positive from side A to side B.
   *
   * @param handle context handle
   * @param ignored not read
   * @param temperature {@code double[]}: n node temperatures, degC
   * @param temperatureOffset byte offset of element 1
   * @param temperatureDirect temperature is a direct buffer
   * @param humidity {@code double[]}: n node relative humidities
   * @param humidityOffset byte offset of element 1
   * @param humidityDirect humidity is a direct buffer
   * @param heatFlux {@code double[]}: N conductive heat fluxes, W/m2, out
   * @param heatFluxOffset byte offset of element 1
   * @param heatFluxDirect heatFlux is a direct buffer
   * @param enthalpyFlux {@code double[]}: N enthalpy fluxes, W/m2, out
   * @param enthalpyFluxOffset byte offset of element 1
   * @param enthalpyFluxDirect enthalpyFlux is a direct buffer
   * @param vapourFlux {@code double[]}: N vapour fluxes, kg/(m2 s), out
   * @param vapourFluxOffset byte offset of element 1
   * @param vapourFluxDirect vapourFlux is a direct buffer
   * @param liquidFlux {@code double[]}: N liquid fluxes, kg/(m2 s), out
   * @param liquidFluxOffset byte offset of element 1
   * @param liquidFluxDirect liquidFlux is a direct buffer
   * @return 0; -1 invalid handle; -7 no grid; -21 null array
   */
  public static native int tamoGetFlux1(int handle, int ignored, Object temperature,
      int temperatureOffset, boolean temperatureDirect, Object humidity, int humidityOffset,
      boolean humidityDirect, Object heatFlux, int heatFluxOffset, boolean heatFluxDirect,
      Object enthalpyFlux, int enthalpyFluxOffset, boolean enthalpyFluxDirect, Object vapourFlux,
      int vapourFluxOffset, boolean vapourFluxDirect, Object liquidFlux, int liquidFluxOffset,
      boolean liquidFluxDirect);

  /**
   * Surface transfer coefficients of both sides (C operation {@code tamoGetSurfaceCoeff}).
   * Writes the four one-entry arrays.
   *
   * @param handle context handle
   * @param heatTransferA {@code double[]}: side A heat transfer coefficient, W/(m2 K), out
   * @param heatTransferAOffset byte offset of element 1
   * @param heatTransferADirect heatTransferA is a direct buffer
   * @param vapourTransferA {@code double[]}: side A vapour transfer coefficient, kg/(m2 s Pa),
   *     out
   * @param vapourTransferAOffset byte offset of element 1
   * @param vapourTransferADirect vapourTransferA is a direct buffer
   * @param heatTransferB {@code double[]}: side B heat transfer coefficient, W/(m2 K), out
   * @param heatTransferBOffset byte offset of element 1
   * @param heatTransferBDirect heatTransferB is a direct buffer
   * @param vapourTransferB {@code double[]}: side B vapour transfer coefficient, kg/(m2 s Pa),
   *     out
   * @param vapourTransferBOffset byte offset of element 1
   * @param vapourTransferBDirect vapourTransferB is a direct buffer
   * @return 0; -1 invalid handle; -21 null array; -22 before {@link #tamoSetSurfaceCondition}
   */
  public static native int tamoGetSurfaceCoeff1(int handle, Object heatTransferA,
      int heatTransferAOffset, boolean heatTransferADirect, Object vapourTransferA,
      int vapourTransferAOffset, boolean vapourTransferADirect, Object heatTransferB,
      int heatTransferBOffset, boolean heatTransferBDirect, Object vapourTransferB,
      int vapourTransferBOffset, boolean vapourTransferBDirect);

  /**
   * Derived node fields for the given node state (C operation {@code tamoGetIntermediate}).
   * Reads {@code temperature} and {@code humidity}; writes the other six arrays.
   *
   * @param handle context handle
   * @param ignored not read
   * @param temperature {@code double[]}: n node temperatures, degC
   * @param temperatureOffset byte offset of element 1
   * @param temperatureDirect temperature is a direct buffer
   * @param humidity {@code double[]}: n node relative humidities
   * @param humidityOffset byte offset of element 1
   * @param humidityDirect humidity is a direct buffer
   * @param waterContent {@code double[]}: n water contents, kg/m3 (entries 1 and n set to 0),
   *     out
   * @param waterContentOffset byte offset of element 1
   * @param waterContentDirect waterContent is a direct buffer
   * @param saturationPressure {@code double[]}: n saturation vapour pressures, Pa, out
   * @param saturationPressureOffset byte offset of element 1
   * @param saturationPressureDirect saturationPressure is a direct buffer
   * @param dewPoint {@code double[]}: n entries, dew points of nodes 2..N, degC, out
   * @param dewPointOffset byte offset of element 1
   * @param dewPointDirect dewPoint is a direct buffer
   * @param materialCount number of materials whose mean water content is wanted (1..M)
   * @param layerWaterContent {@code double[]}: materialCount mean water contents, kg/m3, out
   * @param layerWaterContentOffset byte offset of element 1
   * @param layerWaterContentDirect layerWaterContent is a direct buffer
   * @param interiorMeanWaterContent {@code double[]}: 1 entry, mean water content of the
   *     interior without the surface nodes, kg/m3, out
   * @param interiorMeanWaterContentOffset byte offset of element 1
   * @param interiorMeanWaterContentDirect interiorMeanWaterContent is a direct buffer
   * @param totalWater {@code double[]}: 1 entry, total water, kg/m2, out
   * @param totalWaterOffset byte offset of element 1
   * @param totalWaterDirect totalWater is a direct buffer
   * @return 0; -1 invalid handle; -6 materialCount outside 1..M; -22 grid without interior
   *     node; -21 null array
   */
  public static native int tamoGetIntermediate1(int handle, int ignored, Object temperature,
      int temperatureOffset, boolean temperatureDirect, Object humidity, int humidityOffset,
      boolean humidityDirect, Object waterContent, int waterContentOffset,
      boolean waterContentDirect, Object saturationPressure, int saturationPressureOffset,
      boolean saturationPressureDirect, Object dewPoint, int dewPointOffset, boolean dewPointDirect,
      int materialCount, Object layerWaterContent, int layerWaterContentOffset,
      boolean layerWaterContentDirect, Object interiorMeanWaterContent,
      int interiorMeanWaterContentOffset, boolean interiorMeanWaterContentDirect, Object totalWater,
      int totalWaterOffset, boolean totalWaterDirect);

  /**
   * Copies entries 1..count of the interface coefficients of the last step (C operation
   * {@code tamoGetTransport}). Writes the three arrays.
   *
   * @param handle context handle
   * @param count number of entries (at most n are copied; &lt;= 0 copies nothing)
   * @param heatConductance {@code double[]}: effective thermal conductivities, W/(m K), out
   * @param heatConductanceOffset byte offset of element 1
   * @param heatConductanceDirect heatConductance is a direct buffer
   * @param vapourPermeability {@code double[]}: vapour permeabilities, kg/(m s Pa), out
   * @param vapourPermeabilityOffset byte offset of element 1
   * @param vapourPermeabilityDirect vapourPermeability is a direct buffer
   * @param liquidTransferCoefficient {@code double[]}: liquid transfer coefficients, out
   * @param liquidTransferCoefficientOffset byte offset of element 1
   * @param liquidTransferCoefficientDirect liquidTransferCoefficient is a direct buffer
   * @return 0; -1 invalid handle; -21 null array with count &gt;= 1
   */
  public static native int tamoGetTransport1(int handle, int count, Object heatConductance,
      int heatConductanceOffset, boolean heatConductanceDirect, Object vapourPermeability,
      int vapourPermeabilityOffset, boolean vapourPermeabilityDirect,
      Object liquidTransferCoefficient, int liquidTransferCoefficientOffset,
      boolean liquidTransferCoefficientDirect);

  /**
   * What a source delivers for the given node state (C operation {@code
   * tamoGetSourceQuantity}). Reads {@code temperature} and {@code humidity}; writes {@code
   * heat} and {@code moisture}.
   *
   * @param handle context handle
   * @param number source number
   * @param count not read
   * @param temperature {@code double[]}: n node temperatures, degC
   * @param temperatureOffset byte offset of element 1
   * @param temperatureDirect temperature is a direct buffer
   * @param humidity {@code double[]}: n node relative humidities
   * @param humidityOffset byte offset of element 1
   * @param humidityDirect humidity is a direct buffer
   * @param heat {@code double[]}: 1 entry, heat delivered, W/m2, out
   * @param heatOffset byte offset of element 1
   * @param heatDirect heat is a direct buffer
   * @param moisture {@code double[]}: 1 entry, moisture delivered, kg/(m2 s), out
   * @param moistureOffset byte offset of element 1
   * @param moistureDirect moisture is a direct buffer
   * @return 0; -1 invalid handle; -9 number outside 1..number of sources; -21 null array
   */
  public static native int tamoGetSourceQuantity1(int handle, int number, int count,
      Object temperature, int temperatureOffset, boolean temperatureDirect, Object humidity,
      int humidityOffset, boolean humidityDirect, Object heat, int heatOffset, boolean heatDirect,
      Object moisture, int moistureOffset, boolean moistureDirect);

  // ---------------------------------------------------------------------------------------
  // Material properties
  // ---------------------------------------------------------------------------------------

  /**
   * Relative humidity at which the moisture storage function reaches the water content w (C
   * operation {@code tamoSorinv}). Writes {@code phi}.
   *
   * @param handle context handle
   * @param material material number 1..M
   * @param w water content, kg/m3
   * @param phi {@code double[]}: 1 entry, relative humidity, out
   * @param phiOffset byte offset of element 1
   * @param phiDirect phi is a direct buffer
   * @return 0; -1 invalid handle; -2 material; -21 phi null; -12 no storage function
   */
  public static native int tamoSorinv1(
      int handle, int material, double w, Object phi, int phiOffset, boolean phiDirect);

  /**
   * Water content and moisture capacity at a relative humidity (C operation {@code
   * tamoSoriso}). Writes {@code w} and, when not null, {@code dwdphi}.
   *
   * @param handle context handle
   * @param material material number 1..M
   * @param phi relative humidity
   * @param w {@code double[]}: 1 entry, water content, kg/m3, out
   * @param wOffset byte offset of element 1
   * @param wDirect w is a direct buffer
   * @param dwdphi {@code double[]} or null: 1 entry, dw/dphi, kg/m3, out
   * @param dwdphiOffset byte offset of element 1 (0 with null)
   * @param dwdphiDirect dwdphi is a direct buffer
   * @return 0; -1 invalid handle; -2 material; -21 w null
   */
  public static native int tamoSoriso1(int handle, int material, double phi, Object w, int wOffset,
      boolean wDirect, Object dwdphi, int dwdphiOffset, boolean dwdphiDirect);

  /**
   * Liquid transport coefficient at a water content (C operation {@code tamoCaldw}). Writes
   * {@code dw}.
   *
   * @param handle context handle
   * @param material material number 1..M
   * @param w water content, kg/m3
   * @param dw {@code double[]}: 1 entry, coefficient, m2/s, out
   * @param dwOffset byte offset of element 1
   * @param dwDirect dw is a direct buffer
   * @param suction true: suction table; false: redistribution table
   * @return 0; -1 invalid handle; -2 material; -21 dw null
   */
  public static native int tamoCaldw1(
      int handle, int material, double w, Object dw, int dwOffset, boolean dwDirect, int suction);

  /**
   * Vapour diffusion resistance factor at a relative humidity (C operation {@code
   * tamoCalmu}). Writes {@code mu}.
   *
   * @param handle context handle
   * @param material material number 1..M
   * @param phi relative humidity
   * @param mu {@code double[]}: 1 entry, resistance factor (1.0 without table), out
   * @param muOffset byte offset of element 1
   * @param muDirect mu is a direct buffer
   * @return 0; -1 invalid handle; -2 material; -21 mu null
   */
  public static native int tamoCalmu1(
      int handle, int material, double phi, Object mu, int muOffset, boolean muDirect);

  /**
   * Thermal conductivity at a water content and temperature (C operation {@code
   * tamoCallam}). Writes {@code lambda}.
   *
   * @param handle context handle
   * @param material material number 1..M
   * @param w water content, kg/m3
   * @param t temperature, degC
   * @param lambda {@code double[]}: 1 entry, conductivity, W/(m K), out
   * @param lambdaOffset byte offset of element 1
   * @param lambdaDirect lambda is a direct buffer
   * @return 0; -1 invalid handle; -2 material; -21 lambda null
   */
  public static native int tamoCallam1(int handle, int material, double w, double t, Object lambda,
      int lambdaOffset, boolean lambdaDirect);

  /**
   * Specific enthalpy at a temperature (C operation {@code tamoCalent}). Writes {@code h}
   * unless the material has no enthalpy table.
   *
   * @param handle context handle
   * @param material material number 1..M
   * @param t temperature, degC
   * @param h {@code double[]}: 1 entry, enthalpy, J/kg of dry material, out
   * @param hOffset byte offset of element 1
   * @param hDirect h is a direct buffer
   * @return 0; -1 invalid handle; -2 material; -3 no enthalpy table; -21 h null
   */
  public static native int tamoCalent1(
      int handle, int material, double t, Object h, int hOffset, boolean hDirect);

  // ---------------------------------------------------------------------------------------
  // Handle-free routines
  // ---------------------------------------------------------------------------------------

  /**
   * Logical convention check (C operation {@code checkbool}). Writes the three one-entry
   * {@code int[]} arrays.
   *
   * @param flag value to test (true when its lowest bit is 1)
   * @param negation {@code int[]}: 0 when flag is true, else 1, out
   * @param negationOffset byte offset of element 1
   * @param negationDirect negation is a direct buffer
   * @param trueValue {@code int[]}: the library's true value, -1, out
   * @param trueValueOffset byte offset of element 1
   * @param trueValueDirect trueValue is a direct buffer
   * @param falseValue {@code int[]}: the library's false value, 0, out
   * @param falseValueOffset byte offset of element 1
   * @param falseValueDirect falseValue is a direct buffer
   * @return the bitwise complement of flag
   */
  public static native int checkbool1(int flag, Object negation, int negationOffset,
      boolean negationDirect, Object trueValue, int trueValueOffset, boolean trueValueDirect,
      Object falseValue, int falseValueOffset, boolean falseValueDirect);
}
