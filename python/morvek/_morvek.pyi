# The compiled part of the morvek package; call it through morvek's own
# functions, which check and shape the values first.
from typing import Dict, List, Sequence, Tuple

import numpy as np

__version__: str
field_names: Tuple[str, ...]
default_field_count: int
field_types: Dict[str, str]
format_names: Tuple[str, ...]
format_kinds: Dict[str, str]
format_byte_counts: Dict[str, int]

def convert(
    values: np.ndarray, source: str, fields: Sequence[str], threads: int, presence: bool
) -> Tuple[Dict[str, np.ndarray], Dict[str, np.ndarray]]: ...
def report(arguments: List[bytes]) -> str: ...
