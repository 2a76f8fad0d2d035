/*
 * tamo1dkernel - one-dimensional transient coupled heat and moisture transport
 * through multi-layer building components.
 *
 * This is the library's only public header. It is plain C (usable from C and C++).
 *
 * Usage in brief
 *   1. h = tamoCreateContext();
 *   2. tamoSetGrid(h, ...)             once: interface positions, element materials
 *   3. tamoSetParameter(h, ...)        once: switches, latent heats, iteration control
 *      (it empties the source list, so sources come after it)
 *   4. per material: tamoSetMaterial, then tamoSetMaterialFunction (moisture storage first)
 *   5. tamoSetSurfaceCondition(h, ...) once; tamoSetSource(h, ...) per source
 *   6. per time step: tamoTransBound + tamoStep, or tamoStep2; then result queries
 *   7. tamoDeleteContext(h)
 *
 * Conventions
 *   - Units: temperature degC, relative humidity as a fraction (1.0 = saturated air; the
 *     over-hygroscopic range reaches 1.01), water content kg/m3, pressure Pa, length m,
 *     time s, rain kg/(m2 h), radiation W/m2.
 *   - Grid: the host passes N interface positions; there are n = N+1 nodes. Node 1 is the
 *     ambient air of side A, node n that of side B; nodes 2..N are the finite volumes of the
 *     component. Interface k (1..N) lies between node k and node k+1. Node arrays have n
 *     entries, interface arrays N entries; "entry 1" is the first element of a C array.
 *     Fluxes are positive from side A towards side B.
 *   - Arrays are caller-owned, contiguous, and must hold at least the stated number of
 *     elements. The library never keeps a pointer to host memory beyond a call.
 *   - Logical arguments are true when their lowest bit is 1; the library stores -1 for true
 *     and 0 for false.
 *   - Every operation with a handle returns a result code (TAMO_OK = 0 or a negative code);
 *     a refused call changes nothing. Nothing is printed, thrown or written to files.
 *
 * Result codes
 *     0  success
 *    -1  invalid handle
 *    -2  material number outside 1..number of material records
 *    -3  function kind outside 1..7; or the material has no enthalpy table (tamoCalent)
 *    -6  material count outside 1..highest material number (tamoGetIntermediate)
 *    -7  no grid defined yet
 *    -8  source kind outside 0..2
 *    -9  source number outside its valid range
 *   -10  flag argument of tamoSetMaterialFunction not allowed for the function kind
 *   -11  memory cannot be obtained
 *   -12  table length not allowed for the function kind; or no moisture storage function
 *   -13  already set: the item may be defined only once per context
 *   -20  the time step diverged (status value 4); outputs are written all the same
 *   Codes this library adds for input it cannot compute with (documented per operation):
 *   -21  an array argument the operation must read or write is a null pointer
 *   -22  an argument lies outside what can be computed (see the operation)
 *
 * Threads
 *   The library takes no lock. The context table is process-wide and unguarded: a host
 *   with several threads issues one call at a time across all contexts (it serialises its
 *   calls itself). Built with the CMake option TAMO_THREAD_SAFE_TABLE=ON (off by default),
 *   the library serialises the table operations (create, delete, and the handle lookup
 *   that starts every call) with a mutex: threads may then work at the same time on
 *   different contexts, never two on the same one, and no thread deletes a context that
 *   another still uses. The interval start index of the spline evaluation is process-wide
 *   but atomic; concurrent evaluations give the same results as sequential ones. Inside
 *   tamoStep the library runs an OpenMP team (the number of threads is the OpenMP
 *   runtime's choice, e.g. OMP_NUM_THREADS); the results do not depend on it. A grid with
 *   fewer than 1000 interior nodes is stepped on the calling thread alone: below that size
 *   a team gains little even on an idle machine and loses heavily when other processes
 *   hold the cores, since each inner iteration meets at three barriers.
 *
 * Robustness
 *   Whatever the arguments, within what a C interface can check, an operation answers
 *   with a result code: it does not crash, hang or touch memory outside the arrays it is
 *   given (each holding the stated number of elements). An array the operation would read
 *   or write given as a null pointer gives -21 before anything changes; where the
 *   operation touches no array (count 0, an optional output) a null pointer is fine.
 *
 * Floating-point mode
 *   Each computing call sets flush-to-zero and denormals-are-zero (on x86 SSE) on the
 *   calling thread and on every OpenMP worker for its duration, and restores the caller's
 *   mode before it returns.
 *
 * Export names
 *   Every operation is exported under its plain name. The stdcall-decorated aliases
 *   ("_tamoSetGrid@24": underscore, name, @, bytes of the arguments) belong to 32-bit
 *   Windows builds, which take them from the module-definition file
 *   src/interface/tamo1dkernel.def. ELF and Mach-O platforms export the plain names only:
 *   there the calling convention is the platform's C convention, and '@' in an ELF symbol
 *   name denotes a symbol version.
 */
#ifndef TAMO1DKERNEL_H
#define TAMO1DKERNEL_H

#include <stdint.h>

#if defined(_WIN32)
#if defined(TAMO1DKERNEL_BUILDING)
#define TAMO_API __declspec(dllexport)
#else
#define TAMO_API __declspec(dllimport)
#endif
#if defined(_M_IX86) || defined(__i386__)
#define TAMO_CALL __stdcall
#else
#define TAMO_CALL
#endif
#else
#define TAMO_API __attribute__((visibility("default")))
#define TAMO_CALL
#endif

#ifdef __cplusplus
extern "C" {
#endif

/** Result codes of the operations with a handle. */
enum {
  TAMO_OK = 0,
  TAMO_INVALID_HANDLE = -1,
  TAMO_BAD_MATERIAL = -2,
  TAMO_BAD_FUNCTION_KIND = -3,
  TAMO_BAD_MATERIAL_COUNT = -6,
  TAMO_NO_GRID = -7,
  TAMO_BAD_SOURCE_KIND = -8,
  TAMO_BAD_SOURCE_NUMBER = -9,
  TAMO_BAD_FLAG = -10,
  TAMO_NO_MEMORY = -11,
  TAMO_BAD_TABLE_LENGTH = -12,
  TAMO_ALREADY_SET = -13,
  TAMO_DIVERGED = -20,
  TAMO_NULL_ARRAY = -21,
  TAMO_BAD_ARGUMENT = -22
};

/** Status word bits of a time step. */
enum {
  TAMO_STATUS_RAIN_MISMATCH = 1, /* rain uptake does not match the rain at a surface */
  TAMO_STATUS_NOT_CONVERGED = 2, /* accepted change above 0.001 */
  TAMO_STATUS_DIVERGED = 4       /* accepted change above 1e20 (the step returns -20) */
};

/* ------------------------------------------------------------------------------------ */
/* Library information (extensions that need no context)                                 */
/* ------------------------------------------------------------------------------------ */

/** Version of the library as "major.minor.patch"; a constant string owned by the library. */
TAMO_API const char* TAMO_CALL tamoGetVersion(void);

/** Short constant name of a result code ("TAMO_OK", "TAMO_INVALID_HANDLE", ...);
 *  "TAMO_UNKNOWN" for a code the library does not use. Never null. */
TAMO_API const char* TAMO_CALL tamoResultName(int32_t code);

/* ------------------------------------------------------------------------------------ */
/* Contexts and parameters                                                               */
/* ------------------------------------------------------------------------------------ */

/** Creates a simulation context. Returns its handle (>= 1): the lowest free slot of the
 *  process-wide table, which doubles its capacity when full and never shrinks.
 *  Returns -11 when memory cannot be obtained (nothing changes). */
TAMO_API int32_t TAMO_CALL tamoCreateContext(void);

/** Releases a context and everything it owns; its handle becomes free for reuse.
 *  Returns 0, or -1 for an invalid handle. */
TAMO_API int32_t TAMO_CALL tamoDeleteContext(int32_t handle);

/** Sets the solver switches once per context, after the grid (and empties the sources).
 *  heatTransport, moistureTransport: solve the heat / moisture balance.
 *  liquidTransport: liquid transport and rain absorption (only together with moisture).
 *  fineConvergence: tolerance 1e-6 and three times the iteration limits (else 1e-5).
 *  stabilisedIteration: more iterations and smaller relaxation factors.
 *  evaporation: heat of evaporation 2.5e6 J/kg in the heat balance (else 1.0).
 *  fusion: heat of fusion 333000 J/kg in the heat balance (else 0).
 *  unused1..unused4: accepted, no effect.
 *  Returns 0; -1 invalid handle; -7 no grid; -13 parameters already set. */
TAMO_API int32_t TAMO_CALL tamoSetParameter(int32_t handle, int32_t heatTransport,
                                            int32_t moistureTransport, int32_t liquidTransport,
                                            int32_t fineConvergence, int32_t stabilisedIteration,
                                            int32_t unused1, int32_t evaporation, int32_t fusion,
                                            int32_t unused2, int32_t unused3, int32_t unused4);

/** As tamoSetParameter, with one more flag after evaporation: temperatureDependentEvaporation
 *  makes the heat of evaporation 2.5e6 - 2440 * T J/kg (only with evaporation set).
 *  Returns 0; -1 invalid handle; -7 no grid; -13 parameters already set. */
TAMO_API int32_t TAMO_CALL tamoSetParameter1(int32_t handle, int32_t heatTransport,
                                             int32_t moistureTransport, int32_t liquidTransport,
                                             int32_t fineConvergence, int32_t stabilisedIteration,
                                             int32_t unused1, int32_t evaporation,
                                             int32_t temperatureDependentEvaporation,
                                             int32_t fusion, int32_t unused2, int32_t unused3,
                                             int32_t unused4);

/* ------------------------------------------------------------------------------------ */
/* Model definition                                                                      */
/* ------------------------------------------------------------------------------------ */

/** Defines the grid once per context.
 *  count: N, the number of interface positions (N >= 1; N = 1 gives a grid without
 *         interior node, which the step accepts and leaves unchanged).
 *  positions: N interface positions in m, the first and last being surfaces A and B.
 *             They should increase strictly; other orders are stored as given.
 *  radius: R > 0 selects cylindrical geometry with inner radius R (m); R <= 0 plane.
 *  materials: N material numbers; entry k (k = 2..N) is the material of element k (between
 *             positions k-1 and k); entry 1 is ignored. Material records 1..M are created,
 *             M being the largest number given (0 when all are 0 or less: then no material
 *             record exists and every material operation returns -2). The step refuses
 *             elements whose material is below 1.
 *  Returns 0; -1 invalid handle; -13 grid already defined; -21 null positions or
 *  materials (with N >= 2 for materials); -22 N < 1; -11 memory cannot be obtained, also
 *  for N above 4194304. */
TAMO_API int32_t TAMO_CALL tamoSetGrid(int32_t handle, int32_t count, const double* positions,
                                       double radius, const int32_t* materials);

/** Copies interface positions 1..count into out (entry N+1 repeats position N).
 *  count <= 0 copies nothing. A count above N+1 copies N+1 entries only.
 *  Returns 0; -1 invalid handle; -7 no grid; -21 null out with count >= 1. */
TAMO_API int32_t TAMO_CALL tamoGetGrid(int32_t handle, int32_t count, double* out);

/** Sets the dry properties of a material: bulk density rho (kg/m3), porosity por (m3/m3),
 *  specific heat capacity cap (J/(kg K)) and the vapour-tight flag. Also resets the
 *  maximum water content to 1000 * por, so call it before loading the material functions.
 *  Returns 0; -1 invalid handle; -2 material outside 1..M. */
TAMO_API int32_t TAMO_CALL tamoSetMaterial(int32_t handle, int32_t material, double rho,
                                           double por, double cap, int32_t vapourTight);

/** Loads one material function from n points (xs, ys) or, with analytic = 1, from
 *  parameters:
 *   kind 1 moisture storage w(phi)             analytic: fitted through given points
 *   kind 2 liquid transport, suction  D(w)     analytic: from water absorption coeff A=ys[0]
 *   kind 3 liquid transport, redistribution    analytic: as kind 2
 *   kind 4 thermal conductivity over w         analytic: ys[0] dry value, ys[1] supplement
 *   kind 5 thermal conductivity over T (degC)  analytic: ys[0] at 10 degC, ys[1] per K
 *   kind 6 vapour diffusion resistance mu(phi) (table only)
 *   kind 7 enthalpy over T (J/kg)              (table only)
 *  Load the moisture storage function (kind 1) after tamoSetMaterial and before kinds 2
 *  and 3; load kind 4 before kind 5. Kind 5 with n = 0 makes the conductivity independent
 *  of temperature (one row at 10 degC with the first value of kind 4; no table while kind
 *  4 has none). Each load replaces the whole table of its kind; a refused load, also for
 *  lack of memory, leaves the previous function in place.
 *  Returns 0; -1 invalid handle; -2 material outside 1..M; -12 n < 0; -3 kind outside
 *  1..7; -12 n = 1 for kinds 1 and 7, n <= 0 for kind 4; -10 analytic not 0/1 (kinds 1-5)
 *  or not 0 (kinds 6, 7); -21 xs or ys null while n >= 1 (parameter loads of kinds 2-5
 *  read ys only); -12 more than 32767 rows would result (kind 1 adds up to two rows);
 *  -11 memory cannot be obtained. */
TAMO_API int32_t TAMO_CALL tamoSetMaterialFunction(int32_t handle, int32_t material,
                                                   int32_t kind, int32_t analytic, int32_t n,
                                                   const double* xs, const double* ys);

/** Sets the constant surface properties of both sides, once per context.
 *  pressure: Pa, used only for the boundary-layer thickness below.
 *  Per side (A then B): heat transfer coefficient W/(m2 K); thickness input sd in m (a
 *  coating's diffusion-equivalent air layer; the air boundary layer is added; a negative
 *  value gives the whole thickness directly, at least 0.007680384859255765 m); short-wave
 *  absorptivity; long-wave emissivity; rain absorption factor; radiative part of the heat
 *  transfer coefficient W/(m2 K); explicit long-wave flag (emission and counter-radiation
 *  computed explicitly; the coefficient then keeps only its convective part).
 *  Returns 0; -1 invalid handle; -13 already set. */
TAMO_API int32_t TAMO_CALL tamoSetSurfaceCondition(
    int32_t handle, double pressure, double heatTransferA, double sdA, double absorptivityA,
    double emissivityA, double rainFactorA, double radiativePartA, int32_t explicitLongWaveA,
    double heatTransferB, double sdB, double absorptivityB, double emissivityB,
    double rainFactorB, double radiativePartB, int32_t explicitLongWaveB);

/** Sets the climate of both sides for the coming step.
 *  Per side (A then B): heat transfer coefficient W/(m2 K); thickness input sd m (as in
 *  tamoSetSurfaceCondition); air temperature degC; relative humidity; radiation W/m2
 *  (positive short-wave gain, negative long-wave loss); long-wave counter-radiation W/m2
 *  (used only with explicit long-wave); rain kg/(m2 h). Then the barometric pressure Pa.
 *  Also refreshes climate-coupled sources and the surface heat conductances. Before a grid
 *  exists the surface conductances are skipped (nothing else needs the grid).
 *  Returns 0; -1 invalid handle. */
TAMO_API int32_t TAMO_CALL tamoTransBound(int32_t handle, double heatTransferA, double sdA,
                                          double temperatureA, double humidityA,
                                          double radiationA, double counterRadiationA,
                                          double rainA, double heatTransferB, double sdB,
                                          double temperatureB, double humidityB,
                                          double radiationB, double counterRadiationB,
                                          double rainB, double pressure);

/** Defines source `number` (>= 1) once, after the parameters.
 *  type: 0 heat, 1 moisture, 2 air exchange with the ambient air of `side`.
 *  subtype: 0 plain; 1 air infiltration model (moisture sources only, values[0..2]:
 *  leakage, stack-effect and overpressure inputs); other values make it inactive.
 *  side: 1 or 2 couples the source to that side's climate (radiation, rain, ambient air).
 *  start, thickness: position range (m, grid coordinates) of the source; it covers the
 *  first node whose east boundary lies at or beyond start, and every following node whose
 *  east boundary lies before start + thickness (none when start lies beyond the last node).
 *  values: value(1) (and value(2..3) for subtype 1). An air exchange takes value(1) air
 *  changes per hour. A plain heat or moisture source starts with value(1) / 3600 per m3
 *  of its nodes; from tamoUpdateSource on it delivers value(1) per component area (W/m2,
 *  kg/(m2 s)) spread evenly over its nodes. A source coupled to a side instead delivers,
 *  from the next climate update on, value(1) times that side's radiation (heat, W/m2) or
 *  rain (moisture, kg/(m2 h) turned into kg/(m2 s)), spread over its nodes.
 *  Returns 0; -1 invalid handle; -9 number < 1; -8 type outside 0..2; -13 number already
 *  defined; -7 no grid; -22 type 2 with side not 1 or 2; -21 values null; -11 memory
 *  cannot be obtained, also for a number above 65536 (the table would hold that many). */
TAMO_API int32_t TAMO_CALL tamoSetSource(int32_t handle, int32_t number, int32_t type,
                                         int32_t subtype, int32_t side, double start,
                                         double thickness, const double* values);

/** Changes the value of an active source (values may be null: climate refresh only);
 *  see tamoSetSource for the meaning of the values. Undefined or inactive numbers up to
 *  the number of sources are accepted and left unchanged.
 *  Returns 0; -1 invalid handle; -9 number outside 1..number of sources. */
TAMO_API int32_t TAMO_CALL tamoUpdateSource(int32_t handle, int32_t number,
                                            const double* values);

/* ------------------------------------------------------------------------------------ */
/* Material properties                                                                   */
/* ------------------------------------------------------------------------------------ */

/** Water content *w (kg/m3) at relative humidity phi and, when dwdphi is not null, the
 *  moisture capacity dw/dphi. A material without storage function gives *w = 0 and
 *  *dwdphi = 0. Returns 0; -1 invalid handle; -2 material outside 1..M; -21 w null. */
TAMO_API int32_t TAMO_CALL tamoSoriso(int32_t handle, int32_t material, double phi, double* w,
                                      double* dwdphi);

/** Relative humidity *phi at which the storage function reaches w (bisection to 1e-12);
 *  w <= 0 gives 0 (also without storage function), w at or above w(1.01) gives 1.01.
 *  Returns 0; -1 invalid handle; -2 material outside 1..M; -21 phi null; -12 no storage
 *  function and w > 0 (*phi = 0). */
TAMO_API int32_t TAMO_CALL tamoSorinv(int32_t handle, int32_t material, double w, double* phi);

/** Liquid transport coefficient *dw (m2/s) at water content w, from the suction table when
 *  suction is true, else from the redistribution table (0 for an empty table).
 *  Returns 0; -1 invalid handle; -2 material outside 1..M; -21 dw null. */
TAMO_API int32_t TAMO_CALL tamoCaldw(int32_t handle, int32_t material, double w, double* dw,
                                     int32_t suction);

/** Vapour diffusion resistance factor *mu at relative humidity phi (1.0 when the material
 *  has no table). Returns 0; -1 invalid handle; -2 material outside 1..M; -21 mu null. */
TAMO_API int32_t TAMO_CALL tamoCalmu(int32_t handle, int32_t material, double phi, double* mu);

/** Thermal conductivity *lambda (W/(m K)) at water content w and temperature t (degC):
 *  lambda_T(t) + lambda_w(w) - lambda_w(first row), both linear and held constant beyond
 *  their tables. A missing table contributes 0. Returns 0; -1; -2; -21 lambda null. */
TAMO_API int32_t TAMO_CALL tamoCallam(int32_t handle, int32_t material, double w, double t,
                                      double* lambda);

/** Specific enthalpy *h (J/kg of dry material) at temperature t (degC).
 *  Returns 0; -1 invalid handle; -2 material outside 1..M; -3 no enthalpy table
 *  (*h untouched); -21 h null. */
TAMO_API int32_t TAMO_CALL tamoCalent(int32_t handle, int32_t material, double t, double* h);

/* ------------------------------------------------------------------------------------ */
/* Time step                                                                             */
/* ------------------------------------------------------------------------------------ */

/** Advances the context by one implicit time step of dt seconds.
 *  temperature, humidity: n node values, in/out; entries 1 and n are overwritten with the
 *    ambient values (humidity 1.0 on a side absorbing rain above 0 degC).
 *  waterContent: n entries, out (kg/m3): interior water contents; entries 1 and n are set
 *    to 0 only with moisture transport on.
 *  iterationCount: out, iterations since the last reset of the counter (the relaxation
 *    dampings and the one restart of a stubborn step reset it).
 *  maxHumidityChange, maxTemperatureChange: out, largest changes of the last iteration
 *    (0 when no iteration ran, e.g. before tamoSetParameter: then iterationCount is 0 and
 *    status TAMO_STATUS_NOT_CONVERGED).
 *  status: out, bits TAMO_STATUS_*.
 *  ignored: accepted and not read.
 *  Returns 0 (also when not converged: see status); -1 invalid handle; -7 no grid;
 *  -22 dt not positive (0, negative or NaN; +inf is a steady-state step), or an interior
 *  element of material below 1 or above the highest material number;
 *  -21 an array is null; -11 memory; -20 diverged (outputs written all the same).
 *  The checks run in this order; a refused step touches no array. */
TAMO_API int32_t TAMO_CALL tamoStep(int32_t handle, double dt, int32_t ignored,
                                    double* temperature, double* humidity, double* waterContent,
                                    int32_t* iterationCount, double* maxHumidityChange,
                                    double* maxTemperatureChange, int32_t* status);

/** tamoTransBound with the fifteen climate values, then tamoStep. Same result codes; a
 *  step refused by its checks has still applied the climate update. */
TAMO_API int32_t TAMO_CALL tamoStep2(
    int32_t handle, double heatTransferA, double sdA, double temperatureA, double humidityA,
    double radiationA, double counterRadiationA, double rainA, double heatTransferB, double sdB,
    double temperatureB, double humidityB, double radiationB, double counterRadiationB,
    double rainB, double pressure, double dt, int32_t ignored, double* temperature,
    double* humidity, double* waterContent, int32_t* iterationCount, double* maxHumidityChange,
    double* maxTemperatureChange, int32_t* status);

/* ------------------------------------------------------------------------------------ */
/* Results                                                                               */
/* ------------------------------------------------------------------------------------ */

/** Copies entries 1..count of the last solved tridiagonal system (row i:
 *  diagonal_i x_i - lower_i x_(i-1) - upper_i x_(i+1) = rhs_i, in eliminated form).
 *  count <= 0 copies nothing; a count above n copies n entries. Before a grid nothing is
 *  copied. Returns 0; -1 invalid handle; -21 a null array with count >= 1. */
TAMO_API int32_t TAMO_CALL tamoGetSolver(int32_t handle, int32_t count, double* lower,
                                         double* diagonal, double* upper, double* rightHandSide);

/** Fluxes of every interface k = 1..N for the node state (temperature, humidity: n
 *  entries): conductive heat W/m2, enthalpy W/m2 (heat plus latent heat of vapour, with
 *  the surface radiation balance in entries 1 and N), vapour kg/(m2 s), liquid kg/(m2 s)
 *  (at a surface only flow into the component is reported). Positive from A to B.
 *  Returns 0; -1 invalid handle; -7 no grid; -21 a null array. */
TAMO_API int32_t TAMO_CALL tamoGetFlux(int32_t handle, int32_t ignored, const double* temperature,
                                       const double* humidity, double* heatFlux,
                                       double* enthalpyFlux, double* vapourFlux,
                                       double* liquidFlux);

/** Surface heat transfer coefficients W/(m2 K) and vapour transfer coefficients
 *  kg/(m2 s Pa) of sides A and B. Returns 0; -1 invalid handle; -21 a null pointer;
 *  -22 before tamoSetSurfaceCondition (the vapour coefficient has no finite value). */
TAMO_API int32_t TAMO_CALL tamoGetSurfaceCoeff(int32_t handle, double* heatTransferA,
                                               double* vapourTransferA, double* heatTransferB,
                                               double* vapourTransferB);

/** Derived node fields for the node state (n entries each): water content (entries 1, n
 *  set to 0), saturation vapour pressure, dew point (entries 2..N only; -100 for phi <= 0),
 *  mean water content of each material 1..materialCount over its layers (kg/m3), mean
 *  water content of the interior without the two surface nodes, total water (kg/m2).
 *  Returns 0; -1 invalid handle; -6 materialCount outside 1..highest material number;
 *  -22 a grid without interior node (N < 2); -21 a null array. */
TAMO_API int32_t TAMO_CALL tamoGetIntermediate(int32_t handle, int32_t ignored,
                                               const double* temperature,
                                               const double* humidity, double* waterContent,
                                               double* saturationPressure, double* dewPoint,
                                               int32_t materialCount, double* layerWaterContent,
                                               double* interiorMeanWaterContent,
                                               double* totalWater);

/** Copies entries 1..count of the interface coefficients of the last step: effective
 *  thermal conductivity (times the inverse node distance gives the conductance), vapour
 *  permeability kg/(m s Pa), liquid transfer coefficient. count <= 0 copies nothing; a
 *  count above n copies n entries; before a grid nothing is copied.
 *  Returns 0; -1 invalid handle; -21 a null array with count >= 1. */
TAMO_API int32_t TAMO_CALL tamoGetTransport(int32_t handle, int32_t count,
                                            double* heatConductance,
                                            double* vapourPermeability,
                                            double* liquidTransferCoefficient);

/** What source `number` delivers for the node state (n entries each): *heat W/m2 and
 *  *moisture kg/(m2 s). count is not read. The stored system's diagonal and right-hand
 *  side entries over the source's nodes are used as scratch.
 *  Returns 0; -1 invalid handle; -9 number outside 1..number of sources; -21 null. */
TAMO_API int32_t TAMO_CALL tamoGetSourceQuantity(int32_t handle, int32_t number, int32_t count,
                                                 const double* temperature,
                                                 const double* humidity, double* heat,
                                                 double* moisture);

/* ------------------------------------------------------------------------------------ */
/* Handle-free routines: spline under tension and helpers                                */
/* ------------------------------------------------------------------------------------ */
/* These routines report through *ierr only. Common to all that take ierr: a null ierr
 * makes the routine do nothing (sval/svald then return 0); a null array the routine
 * needs for the given n sets *ierr = 2 and nothing else is written. */

/** Builds a spline under tension through n points (x strictly increasing).
 *  tension: n-1 interval tensions (only the magnitude counts). A tension so small that
 *  sinh(t) - t vanishes in double precision (0 included) is evaluated through the series
 *  form of its quotients, which is the cubic Hermite curve with the same derivatives.
 *  b: on input b[0], b[n-1] are the end derivatives; on output b[i] = y[i+1] (i < n-1).
 *  c, d: n-1 shape coefficients each. eps: flatness threshold of the derivative estimate.
 *  *ierr: 0 ok; 1 n < 2 (nothing written) or n = 2 (built from the end derivatives);
 *  2 a null array. */
TAMO_API void TAMO_CALL sbuild(int32_t n, const double* x, const double* y,
                               const double* tension, double* b, double* c, double* d,
                               double eps, int32_t* ierr);

/** Value of the built spline at t (ya = y, yb = b of sbuild). No extrapolation.
 *  *ierr: 0 ok; 1 n < 2 (returns 0); 2 a null array (returns 0); 3 t outside
 *  [x[0], x[n-1]] or NaN (returns 0). Sequential evaluations find their interval in constant
 *  time through a process-wide search start; any interleaving gives the same results. */
TAMO_API double TAMO_CALL sval(int32_t n, const double* x, const double* tension,
                               const double* ya, const double* yb, const double* c,
                               const double* d, double t, int32_t* ierr);

/** As sval; also stores the first derivative in *deriv when deriv is not null (left
 *  untouched when *ierr is not 0). */
TAMO_API double TAMO_CALL svald(int32_t n, const double* x, const double* tension,
                                const double* ya, const double* yb, const double* c,
                                const double* d, double t, int32_t* ierr, double* deriv);

/** Derivative estimates s (n entries) by the weighted harmonic mean of the secants; 0 where
 *  the y-span over the neighbours is below eps. *ierr: 1 when n < 3 (nothing written);
 *  2 a null array; else 0. */
TAMO_API void TAMO_CALL grad2r(int32_t n, const double* x, const double* y, double* s,
                               double eps, int32_t* ierr);

/** Derivative estimates s (n entries) by the three-point parabola. *ierr as grad2r. */
TAMO_API void TAMO_CALL grad2b(int32_t n, const double* x, const double* y, double* s,
                               double eps, int32_t* ierr);

/** Interval tensions t (n entries; t[0] carries the base tension on input) chosen from the
 *  sign changes of the second derivative. Does nothing for n <= 0 or a null array. */
TAMO_API void TAMO_CALL expjp(int32_t n, const double* x, const double* y, double* t,
                              double eps);

/** Interval tensions t (n entries; on input t[0] the start tension and t[n-2], t[n-1] the
 *  end derivatives) raised until the spline keeps the shape of the points.
 *  *ierr: 1 when n < 3; 2 a null array; else the indicator of the last build or probe
 *  evaluation (the last probe lies inside the curve). Probes that fall before x[0] (next to
 *  a first interval shorter than a fifth of the second) are not clamped and count as 0. */
TAMO_API void TAMO_CALL expjp2(int32_t n, const double* x, const double* y, double* t,
                               double tmax, double crit, int32_t* ierr);

/** Interface check: o1 = 2 a, o2 = b c, o3 = v elementwise over n entries; *ierr = 0
 *  (2 for a null array). */
TAMO_API void TAMO_CALL test(int32_t n, const double* a, const double* b, const double* c,
                             double* o1, double* o2, double* o3, double v, int32_t* ierr);

/** Logical convention check: *negation = 0 when flag's lowest bit is 1, else 1;
 *  *trueValue = -1; *falseValue = 0 (null pointers are skipped); returns ~flag. */
TAMO_API int32_t TAMO_CALL checkbool(int32_t flag, int32_t* negation, int32_t* trueValue,
                                     int32_t* falseValue);

#ifdef __cplusplus
}
#endif

#endif /* TAMO1DKERNEL_H */
