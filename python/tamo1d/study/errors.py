"""The error of a study file or an output folder that cannot be used."""


class StudyError(Exception):
    """where: the study file and field (e.g. "wall_study.json: parameters[1].path")."""

    def __init__(self, where, message):
        super().__init__(f"{where}: {message}" if where else message)
        self.where = where
        self.message = message
