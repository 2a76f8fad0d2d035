"""Paths into a case dict, written as the host writes field paths in its messages:
`layers[2].thickness` (list indices 0-based), `surfaces.side_a.rain_absorption`,
`climate.side_a.csv`."""

import re

_STEP = re.compile(r"\.?([A-Za-z_][A-Za-z0-9_]*)|\[(\d+)\]")


def parse_path(path):
    """The steps of a path: field names (str) and list indices (int); ValueError when the
    text is not a path."""
    if not isinstance(path, str) or not path:
        raise ValueError("a path must be a non-empty string")
    steps, position = [], 0
    while position < len(path):
        match = _STEP.match(path, position)
        if not match or (position == 0 and path[0] == "."):
            raise ValueError(f'"{path}" is not a path (at character {position + 1})')
        steps.append(match.group(1) if match.group(1) is not None else int(match.group(2)))
        position = match.end()
    return steps


def _child(node, step, path):
    if isinstance(step, int):
        if not isinstance(node, list) or step >= len(node):
            raise KeyError(f'"{path}": the case has no list entry [{step}] there')
        return node[step]
    if not isinstance(node, dict) or step not in node:
        raise KeyError(f'"{path}": the case has no field "{step}" there')
    return node[step]


def get_value(case, path):
    """The value at path; KeyError naming the missing step."""
    node = case
    for step in parse_path(path):
        node = _child(node, step, path)
    return node


def set_value(case, path, value):
    """Sets the value at path in place. Missing fields are created as objects on the way
    (a field the base case leaves at its default); list entries must exist."""
    steps = parse_path(path)
    node = case
    for step, following in zip(steps[:-1], steps[1:]):
        if isinstance(step, str) and isinstance(node, dict) and step not in node:
            if isinstance(following, int):
                raise KeyError(f'"{path}": the case has no list "{step}" there')
            node[step] = {}
        node = _child(node, step, path)
    last = steps[-1]
    if isinstance(last, int):
        _child(node, last, path)
    elif not isinstance(node, dict):
        raise KeyError(f'"{path}": "{last}" is not inside an object')
    node[last] = value


def scale_value(case, path, factor):
    """Multiplies what path points at by factor: a number; a material function in table form
    (its y values); a constant form ({"constant": mu}). Parameter forms are refused: the
    factor would not act on the function itself."""
    target = get_value(case, path)
    if isinstance(target, (int, float)) and not isinstance(target, bool):
        set_value(case, path, target * factor)
    elif isinstance(target, dict) and "table" in target:
        target["table"] = [[x, y * factor] for x, y in target["table"]]
    elif isinstance(target, dict) and "constant" in target:
        target["constant"] = target["constant"] * factor
    else:
        raise KeyError(f'"{path}": only a number, a table or a constant can be scaled')


def merge_value(case, path, fields):
    """Replaces fields of the object at path by those of the dict fields (one level deep)."""
    target = get_value(case, path)
    if not isinstance(target, dict) or not isinstance(fields, dict):
        raise KeyError(f'"{path}": merging needs an object there and an object as the value')
    target.update(fields)
