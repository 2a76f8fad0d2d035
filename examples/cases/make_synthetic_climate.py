#!/usr/bin/env python3
"""Writes synthetic_climate.csv: one year of 6-hourly exterior climate records made of
annual and daily cycles plus seeded pseudo-random weather, for the timber-frame example.
Run again to regenerate the file; the seed keeps it identical."""
import math
import random

random.seed(20240611)
rows = ["time [h],temperature [degC],humidity [-],radiation [W/m2],rain [kg/(m2 h)]"]
weather = 0.0
for k in range(0, 8760 // 6):
    h = 6 * k
    annual = math.cos(2 * math.pi * (h - 4800) / 8760)  # warmest around day 200
    daily = math.cos(2 * math.pi * (h - 15) / 24)       # warmest at 15 h
    weather = 0.8 * weather + random.gauss(0.0, 1.2)   # slowly varying weather
    t = 9.5 + 8.5 * annual + 4.0 * daily + weather
    phi = min(0.98, max(0.35, 0.80 - 0.07 * annual - 0.10 * daily - 0.02 * weather))
    sun = max(0.0, math.cos(2 * math.pi * (h - 13) / 24))
    radiation = (180 + 120 * math.cos(2 * math.pi * (h - 4100) / 8760)) * sun - 30 * (sun == 0)
    rain = 0.4 if weather < -2.0 else 0.0
    rows.append(f"{h},{t:.2f},{phi:.3f},{radiation:.1f},{rain:.1f}")
with open("synthetic_climate.csv", "w") as out:
    out.write("\n".join(rows) + "\n")
