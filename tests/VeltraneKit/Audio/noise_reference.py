#!/usr/bin/env python3
"""Independent reference for the noise generator's expected values.

Transcribes the synthesis formulas with every intermediate result rounded to single precision
(Python computes each +, -, *, / in double, which rounds to the same float as single-precision
arithmetic would, since 53 >= 2 * 24 + 2), with the C library's expf and sinf, and prints, for each kind and seed, the first samples
as hexadecimal floats and an FNV-1a hash of the bit patterns of the first 44100 samples.
NoiseSampleGeneratorTest.cpp holds its output. Run: python3 noise_reference.py
"""
import ctypes
import re
import struct

# The single-precision exponential and sine are the C library's expf and sinf, as in the
# generator: they are not always the correctly rounded values of exp and sin.
_libm = ctypes.CDLL('libm.so.6')
for _name in ('expf', 'sinf'):
    getattr(_libm, _name).restype = ctypes.c_float
    getattr(_libm, _name).argtypes = [ctypes.c_float]


def expf(x):
    return _libm.expf(x)


def sinf(x):
    return _libm.sinf(x)

MASK = (1 << 64) - 1


def f(x):
    return struct.unpack('<f', struct.pack('<f', x))[0]


def bits(x):
    return struct.unpack('<I', struct.pack('<f', x))[0]


def clamp(x, lo, hi):
    return min(max(x, lo), hi)


class Voice:
    def __init__(self, kind, seed, rate=44100.0):
        self.kind = kind
        self.s = seed if seed != 0 else 0x9E3779B97F4A7C15
        self.sr = f(rate)
        self.b = [0.0] * 7
        self.brown_level = self.lp_low = self.lp_mid = 0.0
        self.slow = self.fast = self.walk_a = self.walk_b = 0.0
        self.svf_low = self.svf_band = 0.0
        self.bands = {'lo': [0.0, 0.0], 'mid': [0.0, 0.0], 'hi': [0.0, 0.0]}
        self.env = {'lo': 0.0, 'mid': 0.0, 'hi': 0.0}
        self.drops = [[0.0, 0.0, f(0.3), 0.0, 0.0] for _ in range(4)]  # env decay coeff s1 s2

    def draw(self):
        s = self.s
        s ^= (s << 13) & MASK
        s ^= s >> 7
        s ^= (s << 17) & MASK
        self.s = s
        return f(f(2.0 * f(float(s >> 40) * f(5.9604645e-8))) - 1.0)

    def uniform(self):
        return f(f(f(0.5) * self.draw()) + f(0.5))

    def next(self):
        w = self.draw()
        out = getattr(self, self.kind)(w)
        return clamp(out, -1.0, 1.0)

    def white(self, w):
        return w

    def pink(self, w):
        b = self.b
        coeffs = [(0.99886, 0.0555179), (0.99332, 0.0750759), (0.96900, 0.1538520),
                  (0.86650, 0.3104856), (0.55000, 0.5329522)]
        for i, (a, c) in enumerate(coeffs):
            b[i] = f(f(f(a) * b[i]) + f(f(c) * w))
        b[5] = f(f(f(-0.7616) * b[5]) - f(f(0.0168980) * w))
        total = b[0]
        for i in range(1, 7):
            total = f(total + b[i])
        total = f(total + f(f(0.5362) * w))
        b[6] = f(f(0.115926) * w)
        return f(f(0.11) * total)

    def brown_step(self, w):
        self.brown_level = f(f(f(0.999) * self.brown_level) + f(f(0.02) * w))

    def brown(self, w):
        self.brown_step(w)
        return f(f(0.9) * self.brown_level)

    def rain(self, w):
        self.lp_low = f(self.lp_low + f(f(0.04) * f(w - self.lp_low)))
        self.lp_mid = f(self.lp_mid + f(f(0.22) * f(f(w - self.lp_low) - self.lp_mid)))
        acc = 0.0
        chance = f(18.0 / self.sr)
        for d in self.drops:
            r = self.draw()
            if d[0] < f(0.002):
                if chance > f(f(f(0.5) * r) + f(0.5)):
                    d[0] = f(f(self.uniform() * f(0.75)) + f(0.25))
                    p = self.uniform()
                    denom = f(f(f(f(p * f(14.0)) + 4.0) * f(0.001)) * self.sr)
                    d[1] = f(expf(f(-1.0 / denom)))
                    d[2] = f(f(self.uniform() * f(0.45)) + f(0.1))
            else:
                env, decay, coeff, s1, s2 = d
                s1 = f(s1 + f(coeff * f(f(env * r) - s1)))
                s2 = f(s2 + f(coeff * f(s1 - s2)))
                acc = f(acc + f(f(2.4) * f(s1 - s2)))
                d[:] = [f(env * decay), decay, coeff, s1, s2]
        return f(f(f(0.62) * self.lp_mid) + f(f(0.85) * acc))

    def ocean(self, w):
        two_pi = f(6.283185)
        self.slow = f(self.slow + f(f(0.5654867) / self.sr))
        self.fast = f(self.fast + f(f(0.3581415) / self.sr))
        if self.slow > two_pi:
            self.slow = f(self.slow - two_pi)
        if self.fast > two_pi:
            self.fast = f(self.fast - two_pi)
        self.walk_a = f(f(f(0.99999) * self.walk_a) + f(f(0.0006) * w))
        wave = f(f(f(0.55) * f(sinf(self.slow))) + f(f(0.45) * f(sinf(self.fast))))
        c = f(f(f(0.5) * f(f(6.0 * self.walk_a) + wave)) + f(0.5))
        c = clamp(c, 0.0, 1.0)
        swell = f(c * c)
        self.brown_step(w)
        self.lp_low = f(self.lp_low + f(f(0.1) * f(w - self.lp_low)))
        self.lp_mid = f(self.lp_mid + f(f(0.3) * f(f(w - self.lp_low) - self.lp_mid)))
        surf = f(f(f(0.85) * self.brown_level) * f(f(0.22) + f(f(0.78) * swell)))
        hiss = f(f(f(0.55) * self.lp_mid) * f(swell * swell))
        return f(surf + hiss)

    def wind(self, w):
        self.walk_a = f(f(f(0.999995) * self.walk_a) + f(f(0.00012) * w))
        self.walk_b = f(f(f(0.999992) * self.walk_b) + f(f(0.00018) * w))
        fc = f(f(380.0) * f(expf(clamp(f(f(14.0) * self.walk_a), f(-1.2), f(1.2)))))
        freq = min(f(f(fc * f(6.283185)) / self.sr), f(0.25))
        hp = f(f(w - self.svf_low) - f(f(1.4) * self.svf_band))
        self.svf_band = f(self.svf_band + f(freq * hp))
        self.svf_low = f(self.svf_low + f(freq * self.svf_band))
        gust = clamp(f(f(10.0 * self.walk_b) + f(0.55)), f(0.12), 1.0)
        return f(f(f(1.9) * self.svf_band) * gust)

    def band(self, name, coeff, x):
        st = self.bands[name]
        st[0] = f(st[0] + f(f(coeff) * f(x - st[0])))
        st[1] = f(st[1] + f(f(coeff) * f(st[0] - st[1])))

    def wander(self, name, coeff, r):
        e = self.env[name]
        self.env[name] = f(e + f(f(coeff) * f(f(14.0 * r) - e)))

    def stream(self, w):
        self.lp_low = f(self.lp_low + f(f(0.08) * f(w - self.lp_low)))
        x = f(w - self.lp_low)
        self.band('mid', 0.16, x)
        ra, rb, rc = self.draw(), self.draw(), self.draw()
        self.wander('mid', 0.00038, rb)
        self.band('lo', 0.07, x)
        self.band('hi', 0.32, x)
        self.wander('lo', 0.00022, ra)
        self.wander('hi', 0.00055, rc)
        d = self.drops[0]
        if d[0] < f(0.002):
            r = self.draw()
            if f(6.0 / self.sr) > f(f(f(0.5) * r) + f(0.5)):
                d[0] = f(f(self.uniform() * f(0.5)) + f(0.2))
                p = self.uniform()
                denom = f(f(self.sr * f(f(p * f(8.0)) + 3.0)) * f(0.001))
                d[1] = f(expf(f(-1.0 / denom)))
                d[2] = f(f(self.uniform() * f(0.35)) + f(0.25))
        bubble = 0.0
        if d[0] >= f(0.002):
            r = self.draw()
            d[3] = f(d[3] + f(d[2] * f(f(r * d[0]) - d[3])))
            d[4] = f(d[4] + f(d[2] * f(d[3] - d[4])))
            bubble = f(d[3] - d[4])
            d[0] = f(d[0] * d[1])
        g_mid = f(f(f(0.45) * clamp(self.env['mid'], -1.0, 1.0)) + f(0.55))
        g_lo = f(f(f(0.4) * clamp(self.env['lo'], -1.0, 1.0)) + f(0.6))
        g_hi = f(f(f(0.5) * clamp(self.env['hi'], -1.0, 1.0)) + f(0.5))
        b = self.bands
        mid = f(f(f(1.4) * f(b['mid'][0] - b['mid'][1])) * g_mid)
        lo = f(f(f(1.6) * f(b['lo'][0] - b['lo'][1])) * g_lo)
        hi = f(f(f(1.1) * f(b['hi'][0] - b['hi'][1])) * g_hi)
        return f(f(f(mid + lo) + hi) + bubble)


def c_hex(x):
    text = float.hex(x)
    return re.sub(r'\.?0+p', 'p', text) + 'f'


def fnv1a(values):
    h = 0xcbf29ce484222325
    for v in values:
        for byte in struct.pack('<I', bits(v)):
            h ^= byte
            h = (h * 0x100000001b3) & MASK
    return h


KINDS = ['white', 'pink', 'brown', 'rain', 'ocean', 'wind', 'stream']
SEEDS = [0, 1, 0x2545F4914F6CDD1D]

if __name__ == '__main__':
    for kind in KINDS:
        for seed in SEEDS:
            voice = Voice(kind, seed)
            samples = [voice.next() for _ in range(44100)]
            first = ', '.join(c_hex(s) for s in samples[:6])
            print(f'    {{ NoiseKind::{kind}, 0x{seed:X}ULL, {{ {first} }}, 0x{fnv1a(samples):016X}ULL }},')
