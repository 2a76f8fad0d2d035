"""Exceptions of the binding."""

# Meaning of every result code the library returns (the library gives the short name).
RESULT_MEANINGS = {
    0: "success",
    -1: "invalid handle",
    -2: "material number outside 1..number of material records",
    -3: "function kind outside 1..7, or the material has no enthalpy table",
    -6: "material count outside 1..highest material number",
    -7: "no grid defined yet",
    -8: "source kind outside 0..2",
    -9: "source number outside its valid range",
    -10: "flag argument not allowed for the function kind",
    -11: "memory cannot be obtained",
    -12: "table length not allowed for the function kind, or no moisture storage function",
    -13: "already set: the item may be defined only once per context",
    -20: "the time step diverged",
    -21: "an array argument is a null pointer",
    -22: "an argument lies outside what can be computed",
}


class TamoError(RuntimeError):
    """A library operation returned a negative result code.

    Attributes: code (int), name (the library's constant name, e.g. "TAMO_NO_GRID"),
    meaning (plain-language text), operation (C name of the refusing call), and for a
    diverged step `outcome`, the step's outputs (they are written all the same).
    """

    def __init__(self, code, operation, name=None, outcome=None):
        self.code = int(code)
        self.operation = operation
        self.name = name if name is not None else f"code {self.code}"
        self.meaning = RESULT_MEANINGS.get(self.code, "unknown result code")
        self.outcome = outcome
        super().__init__(f"{operation} returned {self.code} ({self.name}): {self.meaning}")


class CaseError(ValueError):
    """A case the host refused; the message names the file, the field and the problem
    exactly as the command line tamo1d prints it."""
