"""tamo1d: Python binding of the tamo1dkernel library for 1-D transient coupled heat and
moisture transport through building components.

  tamo1d.lowlevel   every exported C operation through ctypes (numpy arrays, TamoError)
  tamo1d.Simulation layers, materials, surfaces, climate arrays -> run() -> Results
  tamo1d.load_case  a case file of the command-line host as a Simulation
  tamo1d.plots      profiles, surface series and total water as PNG or SVG
"""

from .case import Outputs, case_from_dict, load_case
from .errors import CaseError, TamoError
from .materials import Catalogue, Material
from .results import Results
from .simulation import Simulation
from .step_control import SimulationStopped

__all__ = ["CaseError", "Catalogue", "Material", "Outputs", "Results", "Simulation",
           "SimulationStopped", "TamoError", "case_from_dict", "load_case"]
