"""tamo1d: Python binding of tamo1dkernel for 1-D transient coupled heat and moisture
transport through building components.

  tamo1d.Simulation a case (dict or file) run by the host library -> numpy arrays
  tamo1d.run_case   one case dict to the end -> summary and series (parameter studies)
  tamo1d.lowlevel   every exported C operation of the kernel through ctypes
  tamo1d.plots      profiles, surface series and total water as PNG or SVG
"""

from .errors import CaseError, TamoError
from .simulation import Simulation, SimulationStopped, SummaryItem, run_case

__all__ = ["CaseError", "Simulation", "SimulationStopped", "SummaryItem", "TamoError",
           "run_case"]
