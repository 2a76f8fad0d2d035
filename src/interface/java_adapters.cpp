// Native methods of the Java class ext.libTAMO1DKernel.
//
// Each adapter is exported under the JNI long name of its method (class prefix, method
// name, two underscores, mangled argument signature), so the JVM binds it whatever the
// method's overloads. Each one forwards its scalars unchanged, turns its array triples into
// pointers (JavaArrayArguments), calls the library's exported C operation and returns that
// operation's result unchanged: no validation, no conversion, no state. The second JNI
// argument (the class for the static methods) is not used.
//
// The C operations are called through the library's own exports, so a Java call and a C
// call of the same operation run the same code and share the process-wide context table.
// On ELF and Mach-O platforms the exports are the plain names (tamoSetGrid); the
// stdcall-decorated names (_tamoSetGrid@24) exist only in 32-bit Windows builds, where they
// are aliases of the same functions.
#include <jni.h>

#include "interface/java_array_arguments.h"
#include "tamo1dkernel.h"

using tamo::java::JavaArrayArguments;

extern "C" {

// ----------------------------------------------------------------------------------------
// Contexts and parameters
// ----------------------------------------------------------------------------------------

JNIEXPORT jint JNICALL Java_ext_libTAMO1DKernel_tamoCreateContext__(JNIEnv*, jclass) {
  return tamoCreateContext();
}

JNIEXPORT jint JNICALL Java_ext_libTAMO1DKernel_tamoDeleteContext__I(JNIEnv*, jclass, jint handle) {
  return tamoDeleteContext(handle);
}

JNIEXPORT jint JNICALL Java_ext_libTAMO1DKernel_tamoSetParameter__IIIIIIIIIIII(
    JNIEnv*, jclass, jint handle, jint heatTransport, jint moistureTransport, jint liquidTransport,
    jint fineConvergence, jint stabilisedIteration, jint unused1, jint evaporation, jint fusion,
    jint unused2, jint unused3, jint unused4) {
  return tamoSetParameter(handle, heatTransport, moistureTransport, liquidTransport,
                          fineConvergence, stabilisedIteration, unused1, evaporation, fusion,
                          unused2, unused3, unused4);
}

JNIEXPORT jint JNICALL Java_ext_libTAMO1DKernel_tamoSetParameter1__IIIIIIIIIIIII(
    JNIEnv*, jclass, jint handle, jint heatTransport, jint moistureTransport, jint liquidTransport,
    jint fineConvergence, jint stabilisedIteration, jint unused1, jint evaporation,
    jint temperatureDependentEvaporation, jint fusion, jint unused2, jint unused3, jint unused4) {
  return tamoSetParameter1(handle, heatTransport, moistureTransport, liquidTransport,
                           fineConvergence, stabilisedIteration, unused1, evaporation,
                           temperatureDependentEvaporation, fusion, unused2, unused3, unused4);
}

// ----------------------------------------------------------------------------------------
// Model definition
// ----------------------------------------------------------------------------------------

JNIEXPORT jint JNICALL
Java_ext_libTAMO1DKernel_tamoSetGrid1__IILjava_lang_Object_2IZDLjava_lang_Object_2IZ(
    JNIEnv* env, jclass, jint handle, jint count, jobject positions, jint positionsOffset,
    jboolean positionsDirect, jdouble radius, jobject materials, jint materialsOffset,
    jboolean materialsDirect) {
  const JavaArrayArguments<2> a(env, {{{positions, positionsOffset, positionsDirect},
                                       {materials, materialsOffset, materialsDirect}}});
  return tamoSetGrid(handle, count, a.pointer<const double>(0), radius,
                     a.pointer<const int32_t>(1));
}

JNIEXPORT jint JNICALL Java_ext_libTAMO1DKernel_tamoGetGrid1__IILjava_lang_Object_2IZ(
    JNIEnv* env, jclass, jint handle, jint count, jobject out, jint outOffset, jboolean outDirect) {
  const JavaArrayArguments<1> a(env, {{{out, outOffset, outDirect}}});
  return tamoGetGrid(handle, count, a.pointer<double>(0));
}

JNIEXPORT jint JNICALL Java_ext_libTAMO1DKernel_tamoSetMaterial__IIDDDI(JNIEnv*, jclass,
                                                                        jint handle, jint material,
                                                                        jdouble rho, jdouble por,
                                                                        jdouble cap,
                                                                        jint vapourTight) {
  return tamoSetMaterial(handle, material, rho, por, cap, vapourTight);
}

JNIEXPORT jint JNICALL
Java_ext_libTAMO1DKernel_tamoSetMaterialFunction1__IIIIILjava_lang_Object_2IZLjava_lang_Object_2IZ(
    JNIEnv* env, jclass, jint handle, jint material, jint kind, jint analytic, jint n, jobject xs,
    jint xsOffset, jboolean xsDirect, jobject ys, jint ysOffset, jboolean ysDirect) {
  const JavaArrayArguments<2> a(env, {{{xs, xsOffset, xsDirect}, {ys, ysOffset, ysDirect}}});
  return tamoSetMaterialFunction(handle, material, kind, analytic, n, a.pointer<const double>(0),
                                 a.pointer<const double>(1));
}

JNIEXPORT jint JNICALL Java_ext_libTAMO1DKernel_tamoSetSurfaceCondition__IDDDDDDDIDDDDDDI(
    JNIEnv*, jclass, jint handle, jdouble pressure, jdouble heatTransferA, jdouble sdA,
    jdouble absorptivityA, jdouble emissivityA, jdouble rainFactorA, jdouble radiativePartA,
    jint explicitLongWaveA, jdouble heatTransferB, jdouble sdB, jdouble absorptivityB,
    jdouble emissivityB, jdouble rainFactorB, jdouble radiativePartB, jint explicitLongWaveB) {
  return tamoSetSurfaceCondition(handle, pressure, heatTransferA, sdA, absorptivityA, emissivityA,
                                 rainFactorA, radiativePartA, explicitLongWaveA, heatTransferB, sdB,
                                 absorptivityB, emissivityB, rainFactorB, radiativePartB,
                                 explicitLongWaveB);
}

JNIEXPORT jint JNICALL Java_ext_libTAMO1DKernel_tamoTransBound__IDDDDDDDDDDDDDDD(
    JNIEnv*, jclass, jint handle, jdouble heatTransferA, jdouble sdA, jdouble temperatureA,
    jdouble humidityA, jdouble radiationA, jdouble counterRadiationA, jdouble rainA,
    jdouble heatTransferB, jdouble sdB, jdouble temperatureB, jdouble humidityB, jdouble radiationB,
    jdouble counterRadiationB, jdouble rainB, jdouble pressure) {
  return tamoTransBound(handle, heatTransferA, sdA, temperatureA, humidityA, radiationA,
                        counterRadiationA, rainA, heatTransferB, sdB, temperatureB, humidityB,
                        radiationB, counterRadiationB, rainB, pressure);
}

JNIEXPORT jint JNICALL Java_ext_libTAMO1DKernel_tamoSetSource1__IIIIIDDLjava_lang_Object_2IZ(
    JNIEnv* env, jclass, jint handle, jint number, jint type, jint subtype, jint side,
    jdouble start, jdouble thickness, jobject values, jint valuesOffset, jboolean valuesDirect) {
  const JavaArrayArguments<1> a(env, {{{values, valuesOffset, valuesDirect}}});
  return tamoSetSource(handle, number, type, subtype, side, start, thickness,
                       a.pointer<const double>(0));
}

JNIEXPORT jint JNICALL Java_ext_libTAMO1DKernel_tamoUpdateSource1__IILjava_lang_Object_2IZ(
    JNIEnv* env, jclass, jint handle, jint number, jobject values, jint valuesOffset,
    jboolean valuesDirect) {
  const JavaArrayArguments<1> a(env, {{{values, valuesOffset, valuesDirect}}});
  return tamoUpdateSource(handle, number, a.pointer<const double>(0));
}

// ----------------------------------------------------------------------------------------
// Time step
// ----------------------------------------------------------------------------------------

JNIEXPORT jint JNICALL
Java_ext_libTAMO1DKernel_tamoStep1__IDILjava_lang_Object_2IZLjava_lang_Object_2IZLjava_lang_Object_2IZLjava_lang_Object_2IZLjava_lang_Object_2IZLjava_lang_Object_2IZLjava_lang_Object_2IZ(
    JNIEnv* env, jclass, jint handle, jdouble dt, jint ignored, jobject temperature,
    jint temperatureOffset, jboolean temperatureDirect, jobject humidity, jint humidityOffset,
    jboolean humidityDirect, jobject waterContent, jint waterContentOffset,
    jboolean waterContentDirect, jobject iterationCount, jint iterationCountOffset,
    jboolean iterationCountDirect, jobject maxHumidityChange, jint maxHumidityChangeOffset,
    jboolean maxHumidityChangeDirect, jobject maxTemperatureChange, jint maxTemperatureChangeOffset,
    jboolean maxTemperatureChangeDirect, jobject status, jint statusOffset, jboolean statusDirect) {
  const JavaArrayArguments<7> a(
      env, {{{temperature, temperatureOffset, temperatureDirect},
             {humidity, humidityOffset, humidityDirect},
             {waterContent, waterContentOffset, waterContentDirect},
             {iterationCount, iterationCountOffset, iterationCountDirect},
             {maxHumidityChange, maxHumidityChangeOffset, maxHumidityChangeDirect},
             {maxTemperatureChange, maxTemperatureChangeOffset, maxTemperatureChangeDirect},
             {status, statusOffset, statusDirect}}});
  return tamoStep(handle, dt, ignored, a.pointer<double>(0), a.pointer<double>(1),
                  a.pointer<double>(2), a.pointer<int32_t>(3), a.pointer<double>(4),
                  a.pointer<double>(5), a.pointer<int32_t>(6));
}

// ----------------------------------------------------------------------------------------
// Results
// ----------------------------------------------------------------------------------------

JNIEXPORT jint JNICALL
Java_ext_libTAMO1DKernel_tamoGetFlux1__IILjava_lang_Object_2IZLjava_lang_Object_2IZLjava_lang_Object_2IZLjava_lang_Object_2IZLjava_lang_Object_2IZLjava_lang_Object_2IZ(
    JNIEnv* env, jclass, jint handle, jint ignored, jobject temperature, jint temperatureOffset,
    jboolean temperatureDirect, jobject humidity, jint humidityOffset, jboolean humidityDirect,
    jobject heatFlux, jint heatFluxOffset, jboolean heatFluxDirect, jobject enthalpyFlux,
    jint enthalpyFluxOffset, jboolean enthalpyFluxDirect, jobject vapourFlux, jint vapourFluxOffset,
    jboolean vapourFluxDirect, jobject liquidFlux, jint liquidFluxOffset,
    jboolean liquidFluxDirect) {
  const JavaArrayArguments<6> a(env, {{{temperature, temperatureOffset, temperatureDirect},
                                       {humidity, humidityOffset, humidityDirect},
                                       {heatFlux, heatFluxOffset, heatFluxDirect},
                                       {enthalpyFlux, enthalpyFluxOffset, enthalpyFluxDirect},
                                       {vapourFlux, vapourFluxOffset, vapourFluxDirect},
                                       {liquidFlux, liquidFluxOffset, liquidFluxDirect}}});
  return tamoGetFlux(handle, ignored, a.pointer<const double>(0), a.pointer<const double>(1),
                     a.pointer<double>(2), a.pointer<double>(3), a.pointer<double>(4),
                     a.pointer<double>(5));
}

JNIEXPORT jint JNICALL
Java_ext_libTAMO1DKernel_tamoGetSurfaceCoeff1__ILjava_lang_Object_2IZLjava_lang_Object_2IZLjava_lang_Object_2IZLjava_lang_Object_2IZ(
    JNIEnv* env, jclass, jint handle, jobject heatTransferA, jint heatTransferAOffset,
    jboolean heatTransferADirect, jobject vapourTransferA, jint vapourTransferAOffset,
    jboolean vapourTransferADirect, jobject heatTransferB, jint heatTransferBOffset,
    jboolean heatTransferBDirect, jobject vapourTransferB, jint vapourTransferBOffset,
    jboolean vapourTransferBDirect) {
  const JavaArrayArguments<4> a(
      env, {{{heatTransferA, heatTransferAOffset, heatTransferADirect},
             {vapourTransferA, vapourTransferAOffset, vapourTransferADirect},
             {heatTransferB, heatTransferBOffset, heatTransferBDirect},
             {vapourTransferB, vapourTransferBOffset, vapourTransferBDirect}}});
  return tamoGetSurfaceCoeff(handle, a.pointer<double>(0), a.pointer<double>(1),
                             a.pointer<double>(2), a.pointer<double>(3));
}

JNIEXPORT jint JNICALL
Java_ext_libTAMO1DKernel_tamoGetIntermediate1__IILjava_lang_Object_2IZLjava_lang_Object_2IZLjava_lang_Object_2IZLjava_lang_Object_2IZLjava_lang_Object_2IZILjava_lang_Object_2IZLjava_lang_Object_2IZLjava_lang_Object_2IZ(
    JNIEnv* env, jclass, jint handle, jint ignored, jobject temperature, jint temperatureOffset,
    jboolean temperatureDirect, jobject humidity, jint humidityOffset, jboolean humidityDirect,
    jobject waterContent, jint waterContentOffset, jboolean waterContentDirect,
    jobject saturationPressure, jint saturationPressureOffset, jboolean saturationPressureDirect,
    jobject dewPoint, jint dewPointOffset, jboolean dewPointDirect, jint materialCount,
    jobject layerWaterContent, jint layerWaterContentOffset, jboolean layerWaterContentDirect,
    jobject interiorMeanWaterContent, jint interiorMeanWaterContentOffset,
    jboolean interiorMeanWaterContentDirect, jobject totalWater, jint totalWaterOffset,
    jboolean totalWaterDirect) {
  const JavaArrayArguments<8> a(
      env,
      {{{temperature, temperatureOffset, temperatureDirect},
        {humidity, humidityOffset, humidityDirect},
        {waterContent, waterContentOffset, waterContentDirect},
        {saturationPressure, saturationPressureOffset, saturationPressureDirect},
        {dewPoint, dewPointOffset, dewPointDirect},
        {layerWaterContent, layerWaterContentOffset, layerWaterContentDirect},
        {interiorMeanWaterContent, interiorMeanWaterContentOffset, interiorMeanWaterContentDirect},
        {totalWater, totalWaterOffset, totalWaterDirect}}});
  return tamoGetIntermediate(handle, ignored, a.pointer<const double>(0),
                             a.pointer<const double>(1), a.pointer<double>(2), a.pointer<double>(3),
                             a.pointer<double>(4), materialCount, a.pointer<double>(5),
                             a.pointer<double>(6), a.pointer<double>(7));
}

JNIEXPORT jint JNICALL
Java_ext_libTAMO1DKernel_tamoGetTransport1__IILjava_lang_Object_2IZLjava_lang_Object_2IZLjava_lang_Object_2IZ(
    JNIEnv* env, jclass, jint handle, jint count, jobject heatConductance,
    jint heatConductanceOffset, jboolean heatConductanceDirect, jobject vapourPermeability,
    jint vapourPermeabilityOffset, jboolean vapourPermeabilityDirect,
    jobject liquidTransferCoefficient, jint liquidTransferCoefficientOffset,
    jboolean liquidTransferCoefficientDirect) {
  const JavaArrayArguments<3> a(
      env, {{{heatConductance, heatConductanceOffset, heatConductanceDirect},
             {vapourPermeability, vapourPermeabilityOffset, vapourPermeabilityDirect},
             {liquidTransferCoefficient, liquidTransferCoefficientOffset,
              liquidTransferCoefficientDirect}}});
  return tamoGetTransport(handle, count, a.pointer<double>(0), a.pointer<double>(1),
                          a.pointer<double>(2));
}

JNIEXPORT jint JNICALL
Java_ext_libTAMO1DKernel_tamoGetSourceQuantity1__IIILjava_lang_Object_2IZLjava_lang_Object_2IZLjava_lang_Object_2IZLjava_lang_Object_2IZ(
    JNIEnv* env, jclass, jint handle, jint number, jint count, jobject temperature,
    jint temperatureOffset, jboolean temperatureDirect, jobject humidity, jint humidityOffset,
    jboolean humidityDirect, jobject heat, jint heatOffset, jboolean heatDirect, jobject moisture,
    jint moistureOffset, jboolean moistureDirect) {
  const JavaArrayArguments<4> a(env, {{{temperature, temperatureOffset, temperatureDirect},
                                       {humidity, humidityOffset, humidityDirect},
                                       {heat, heatOffset, heatDirect},
                                       {moisture, moistureOffset, moistureDirect}}});
  return tamoGetSourceQuantity(handle, number, count, a.pointer<const double>(0),
                               a.pointer<const double>(1), a.pointer<double>(2),
                               a.pointer<double>(3));
}

// ----------------------------------------------------------------------------------------
// Material properties
// ----------------------------------------------------------------------------------------

JNIEXPORT jint JNICALL Java_ext_libTAMO1DKernel_tamoSorinv1__IIDLjava_lang_Object_2IZ(
    JNIEnv* env, jclass, jint handle, jint material, jdouble w, jobject phi, jint phiOffset,
    jboolean phiDirect) {
  const JavaArrayArguments<1> a(env, {{{phi, phiOffset, phiDirect}}});
  return tamoSorinv(handle, material, w, a.pointer<double>(0));
}

JNIEXPORT jint JNICALL
Java_ext_libTAMO1DKernel_tamoSoriso1__IIDLjava_lang_Object_2IZLjava_lang_Object_2IZ(
    JNIEnv* env, jclass, jint handle, jint material, jdouble phi, jobject w, jint wOffset,
    jboolean wDirect, jobject dwdphi, jint dwdphiOffset, jboolean dwdphiDirect) {
  const JavaArrayArguments<2> a(env,
                                {{{w, wOffset, wDirect}, {dwdphi, dwdphiOffset, dwdphiDirect}}});
  return tamoSoriso(handle, material, phi, a.pointer<double>(0), a.pointer<double>(1));
}

JNIEXPORT jint JNICALL Java_ext_libTAMO1DKernel_tamoCaldw1__IIDLjava_lang_Object_2IZI(
    JNIEnv* env, jclass, jint handle, jint material, jdouble w, jobject dw, jint dwOffset,
    jboolean dwDirect, jint suction) {
  const JavaArrayArguments<1> a(env, {{{dw, dwOffset, dwDirect}}});
  return tamoCaldw(handle, material, w, a.pointer<double>(0), suction);
}

JNIEXPORT jint JNICALL Java_ext_libTAMO1DKernel_tamoCalmu1__IIDLjava_lang_Object_2IZ(
    JNIEnv* env, jclass, jint handle, jint material, jdouble phi, jobject mu, jint muOffset,
    jboolean muDirect) {
  const JavaArrayArguments<1> a(env, {{{mu, muOffset, muDirect}}});
  return tamoCalmu(handle, material, phi, a.pointer<double>(0));
}

JNIEXPORT jint JNICALL Java_ext_libTAMO1DKernel_tamoCallam1__IIDDLjava_lang_Object_2IZ(
    JNIEnv* env, jclass, jint handle, jint material, jdouble w, jdouble t, jobject lambda,
    jint lambdaOffset, jboolean lambdaDirect) {
  const JavaArrayArguments<1> a(env, {{{lambda, lambdaOffset, lambdaDirect}}});
  return tamoCallam(handle, material, w, t, a.pointer<double>(0));
}

JNIEXPORT jint JNICALL Java_ext_libTAMO1DKernel_tamoCalent1__IIDLjava_lang_Object_2IZ(
    JNIEnv* env, jclass, jint handle, jint material, jdouble t, jobject h, jint hOffset,
    jboolean hDirect) {
  const JavaArrayArguments<1> a(env, {{{h, hOffset, hDirect}}});
  return tamoCalent(handle, material, t, a.pointer<double>(0));
}

// ----------------------------------------------------------------------------------------
// Handle-free routines
// ----------------------------------------------------------------------------------------

JNIEXPORT jint JNICALL
Java_ext_libTAMO1DKernel_checkbool1__ILjava_lang_Object_2IZLjava_lang_Object_2IZLjava_lang_Object_2IZ(
    JNIEnv* env, jclass, jint flag, jobject negation, jint negationOffset, jboolean negationDirect,
    jobject trueValue, jint trueValueOffset, jboolean trueValueDirect, jobject falseValue,
    jint falseValueOffset, jboolean falseValueDirect) {
  const JavaArrayArguments<3> a(env, {{{negation, negationOffset, negationDirect},
                                       {trueValue, trueValueOffset, trueValueDirect},
                                       {falseValue, falseValueOffset, falseValueDirect}}});
  return checkbool(flag, a.pointer<int32_t>(0), a.pointer<int32_t>(1), a.pointer<int32_t>(2));
}

}  // extern "C"
