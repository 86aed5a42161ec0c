// Arithmetic helpers: greatest common divisor, scales as fractions, aspect-keeping stretch
// sizes, random numbers and the exponential function.
#define VKE_MODULE "Src\\Engine\\Common\\VkeSubStr"
#include "VkiSub.h"
#include "VkeFrame.h"
#include <float.h>
#include <limits.h>
#include <math.h>
#include <string.h>
#include <time.h>

namespace {

const double kMinScale = 0.000001;
const double kMaxScale = 100.0;

bool ScaleInRange(double s) { return s >= kMinScale && s <= kMaxScale; }

// One generator for the whole library: the runtime library's linear congruence.
unsigned int g_uRandState = 1;

int NextRand()
{
    g_uRandState = g_uRandState * 214013u + 2531011u;
    return static_cast<int>((g_uRandState >> 16) & 0x7FFF);
}

int Gcd(int a, int b)
{
    if (a == b) return a;
    int big = a > b ? a : b;
    int small = a > b ? b : a;
    while (small != 0) {
        int r = (small == -1) ? 0 : big % small; // INT_MIN % -1 would trap
        big = small;
        small = r;
    }
    return big;
}

} // namespace

int VkiSub::CalcGrtCmnDiv(int a, int b, int* out)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!out || a == 0 || b == 0) return VKE_ERR_ARG;
    *out = Gcd(a, b);
    return VKE_OK;
}

int VkiSub::GetFraction(double scale, int precision, int* num, int* den)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!num || !den || !ScaleInRange(scale) || precision < 0 || precision > 6) return VKE_ERR_ARG;
    double s = pow(10.0, precision) * 100.0;
    if (s >= 2147483647.0) {
        *num = 0;
        *den = 1;
        return VKE_ERR_CUT;
    }
    while (s > 100.0 && s * scale >= 2147483647.0) s *= 0.1;
    // s stays a power of ten; rounding keeps it exact after the repeated tenths.
    int n = static_cast<int>(floor(s * scale + 0.5));
    int d = static_cast<int>(llround(s));
    int g = 0;
    int rc = CalcGrtCmnDiv(n, d, &g);
    if (rc != VKE_OK) {
        *num = 0;
        *den = 1;
        return rc;
    }
    *num = n / g;
    *den = d / g;
    return VKE_OK;
}

int VkiSub::GetStretchFixedScale(int boxW, int boxH, int srcW, int srcH, int* num, int* den)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!num || !den || boxW < 1 || boxH < 1 || srcW < 1 || srcH < 1) return VKE_ERR_ARG;
    double sx = static_cast<double>(boxW) / srcW;
    double sy = static_cast<double>(boxH) / srcH;
    bool height = sy <= sx; // a tie takes the height pair
    double scale = height ? sy : sx;
    if (!ScaleInRange(scale)) {
        *num = 1;
        *den = 1;
        return VKE_ERR_CUT;
    }
    *num = height ? boxH : boxW;
    *den = height ? srcH : srcW;
    return VKE_OK;
}

int VkiSub::GetStretchFixedScaleSize(int boxW, int boxH, int srcW, int srcH, int* outW, int* outH)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!outW || !outH) return VKE_ERR_ARG;
    int num = 1, den = 1;
    int rc = GetStretchFixedScale(boxW, boxH, srcW, srcH, &num, &den);
    if (rc != VKE_OK) {
        *outW = 1;
        *outH = 1;
        return rc;
    }
    double w = static_cast<double>(srcW) * num / den;
    double h = static_cast<double>(srcH) * num / den;
    if (w < 1.0 || h < 1.0) {
        *outW = 1;
        *outH = 1;
        return VKE_ERR_CUT;
    }
    *outW = static_cast<int>(w);
    *outH = static_cast<int>(h);
    return VKE_OK;
}

int VkiSub::InitRand()
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    g_uRandState = static_cast<unsigned int>(time(nullptr) % 32767);
    return VKE_OK;
}

int VkiSub::Rand01(float* out)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!out) return VKE_ERR_ARG;
    *out = static_cast<float>(NextRand() / 32767.0);
    return VKE_OK;
}

int VkiSub::RandRange(float low, float high, float* out)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!out) return VKE_ERR_ARG;
    float r = 0.0f;
    Rand01(&r);
    *out = static_cast<float>((static_cast<double>(high) - low) * r + low);
    return VKE_OK;
}

int VkiSub::Exponent(float x, float* out)
{
    if (!IsInit()) return VKE_ERR_NOT_INIT;
    if (!out) return VKE_ERR_ARG;
    if (!(x >= -125.0f)) {
        *out = 0.0f;
    } else if (x > 128.0f) {
        *out = FLT_MAX;
    } else {
        *out = static_cast<float>(expl(static_cast<long double>(x)));
    }
    return VKE_OK;
}

// ---- Exports ----

VKE_API int VkeSubCalcGrtCmnDiv(VkiSub* sub, int a, int b, int* out) { VKE_SUB_FRAME(sub, CalcGrtCmnDiv(a, b, out)); }

VKE_API int VkeSubGetFraction(VkiSub* sub, double scale, int precision, int* num, int* den)
{
    VKE_SUB_FRAME(sub, GetFraction(scale, precision, num, den));
}

VKE_API int VkeSubGetStretchFixedScale(VkiSub* sub, int boxW, int boxH, int srcW, int srcH, int* num, int* den)
{
    VKE_SUB_FRAME(sub, GetStretchFixedScale(boxW, boxH, srcW, srcH, num, den));
}

VKE_API int VkeSubGetStretchFixedScaleSize(VkiSub* sub, int boxW, int boxH, int srcW, int srcH, int* outW, int* outH)
{
    VKE_SUB_FRAME(sub, GetStretchFixedScaleSize(boxW, boxH, srcW, srcH, outW, outH));
}

VKE_API int VkeSubInitRand(VkiSub* sub) { VKE_SUB_FRAME(sub, InitRand()); }

VKE_API int VkeSubRand01(VkiSub* sub, float* out) { VKE_SUB_FRAME(sub, Rand01(out)); }

VKE_API int VkeSubRandRange(VkiSub* sub, float low, float high, float* out)
{
    VKE_SUB_FRAME(sub, RandRange(low, high, out));
}

VKE_API int VkeSubExponent(VkiSub* sub, float x, float* out) { VKE_SUB_FRAME(sub, Exponent(x, out)); }
