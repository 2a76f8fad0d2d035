"""Parameter studies and uncertainty runs of tamo1d cases on Dask distributed.

    import tamo1d.study
    table = tamo1d.study.run("examples/studies/wall_study.json", out="study_out")
    summary = tamo1d.study.summarise(table, tamo1d.study.result_columns(table, study))

  study_file   the study file: base case, parameters (paths into the case), sampling, collect
  case_paths   `layers[2].thickness`-style paths into a case dict
  distributions, sampling   values and distributions; full grid, random, Latin hypercube
  variants     the variants, their keys (for resuming) and their case dicts
  task, host_runner         one variant run through the host core in a worker process
  executors    in this process, or on Dask distributed (local cluster or a scheduler)
  store        the output folder: rows as they finish, results.csv, resuming
  summary, plots            distributions, failing shares, result-over-parameter plots
"""

from .errors import StudyError
from .plots import plot_results
from .runner import parameter_columns, result_columns, run
from .study_file import Study, load_study, study_from_dict
from .summary import format_summary, summarise
from .variants import study_variants, variant_case

__all__ = ["Study", "StudyError", "format_summary", "load_study", "parameter_columns",
           "plot_results", "result_columns", "run", "study_from_dict", "study_variants",
           "summarise", "variant_case"]
