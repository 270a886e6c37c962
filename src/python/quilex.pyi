# Type stubs of the compiled module quilex (installed as quilex/__init__.pyi). Units: N, mm,
# mm², N·mm, N/mm². The docstrings are in the module: help(quilex.verify).
import enum
from typing import Any, Iterable, List, Optional, Sequence, Tuple, Union, overload

import numpy as np
import numpy.typing as npt

__version__: str
method_version: str  # the version of docs/method.md, the method to cite

_Rows = Union[npt.ArrayLike, Iterable[Sequence[float]]]

class InvalidInputError(ValueError):
    def __init__(self, message: str, problems: Iterable[Tuple[str, str]] = ...) -> None: ...
    @property
    def problems(self) -> list[Tuple[str, str]]: ...

class UnknownMaterialError(KeyError):
    def __init__(self, message: str, item: str, name: str) -> None: ...
    @property
    def item(self) -> str: ...
    @property
    def name(self) -> str: ...

class BendingOutcome(enum.IntEnum):
    Resisted = 0
    AxialForceOutsideDomain = 1
    NotConverged = 2
    SampleNotConverged = 3
    DirectionNotFound = 4
    OutsideDomain = 5

class ShearOutcome(enum.IntEnum):
    Resisted = 0
    NoStirrups = 1
    CompressionOutOfRange = 2
    StrutAngleOutOfRange = 3
    NoLeverArm = 4
    NotChecked = 5

class Stirrups:
    Asw: float
    nb: int
    st: float
    def __init__(self, *, Asw: float = 0.0, nb: int = 0, st: float = 0.0) -> None: ...

class Rectangle:
    B: float
    H: float
    c: float
    As_top: float
    As_bottom: float
    stirrups: Stirrups
    def __init__(
        self,
        *,
        B: float,
        H: float,
        c: float,
        As_top: float = 0.0,
        As_bottom: float = 0.0,
        stirrups: Stirrups = ...,
    ) -> None: ...

class TSection:
    BiNf: float
    HiNf: float
    BsUp: float
    HsUp: float
    c: float
    As_top: float
    As_bottom: float
    stirrups: Stirrups
    def __init__(
        self,
        *,
        BiNf: float,
        HiNf: float,
        BsUp: float,
        HsUp: float,
        c: float,
        As_top: float = 0.0,
        As_bottom: float = 0.0,
        stirrups: Stirrups = ...,
    ) -> None: ...

class Circle:
    D: float
    c: float
    nF: int
    Df: float
    stirrups: Stirrups
    def __init__(
        self, *, D: float, c: float, nF: int = 0, Df: float = 0.0, stirrups: Stirrups = ...
    ) -> None: ...

class BiaxialStirrups:
    Asw: float
    nbx: int
    nby: int
    st: float
    def __init__(
        self, *, Asw: float = 0.0, nbx: int = 0, nby: int = 0, st: float = 0.0
    ) -> None: ...

class RectangleWithBars:
    B: float
    H: float
    stirrups: BiaxialStirrups
    @property
    def bars(self) -> npt.NDArray[np.float64]: ...
    @bars.setter
    def bars(self, bars: _Rows) -> None: ...
    def __init__(
        self, *, B: float, H: float, bars: _Rows, stirrups: BiaxialStirrups = ...
    ) -> None: ...

class PolygonSection:
    @property
    def outlines(self) -> List[List[Tuple[float, float]]]: ...
    @property
    def holes(self) -> List[List[Tuple[float, float]]]: ...
    @property
    def bars(self) -> npt.NDArray[np.float64]: ...
    @property
    def stirrups(self) -> Optional[BiaxialStirrups]: ...
    @property
    def shear_width(self) -> Optional[Tuple[float, float]]: ...
    @property
    def effective_depth(self) -> Optional[Tuple[float, float]]: ...
    @property
    def reference(self) -> Optional[Tuple[float, float]]: ...
    def __init__(
        self,
        *,
        outlines: Sequence[Sequence[Tuple[float, float]]],
        holes: Sequence[Sequence[Tuple[float, float]]] = ...,
        bars: Optional[_Rows] = None,
        stirrups: Optional[BiaxialStirrups] = None,
        shear_width: Optional[Tuple[float, float]] = None,
        effective_depth: Optional[Tuple[float, float]] = None,
        reference: Optional[Tuple[float, float]] = None,
    ) -> None: ...

class MaterialSet:
    @property
    def fyd(self) -> float: ...
    @property
    def Es(self) -> float: ...
    @property
    def eps_ud(self) -> float: ...
    @property
    def fcd(self) -> float: ...
    @property
    def Ecm(self) -> float: ...
    @property
    def eps_c2(self) -> float: ...
    @property
    def eps_cu(self) -> float: ...
    @property
    def nu(self) -> float: ...
    @property
    def fck(self) -> float: ...
    def __init__(
        self,
        *,
        fyd: float,
        Es: float,
        eps_ud: float,
        fcd: float,
        Ecm: float,
        eps_c2: float,
        eps_cu: float,
        nu: float,
        fck: float = 0.0,
    ) -> None: ...

class ParabolaExponent(enum.IntEnum):
    Two = 0
    EN1992 = 1

class UtilisationRatio(enum.IntEnum):
    AtConstantNed = 0
    Radial = 1

class Settings:
    strips: int
    tolerance: float
    max_iterations: int
    strut_angle: float
    parabola_exponent: ParabolaExponent
    verdict_ratio: UtilisationRatio
    def __init__(
        self,
        *,
        strips: int = 100,
        tolerance: float = 0.001,
        max_iterations: int = 1000,
        strut_angle: float = 45.0,
        parabola_exponent: ParabolaExponent = ParabolaExponent.Two,
        verdict_ratio: UtilisationRatio = UtilisationRatio.AtConstantNed,
    ) -> None: ...

class UltimateState:
    @property
    def t(self) -> float: ...
    @property
    def neutral_axis_depth(self) -> float: ...
    @property
    def tension_steel_strain(self) -> float: ...
    @property
    def tension_steel_stress(self) -> float: ...
    @property
    def compressed_face_strain(self) -> float: ...
    @property
    def compressed_face_stress(self) -> float: ...
    @property
    def curvature(self) -> float: ...
    @property
    def iterations(self) -> int: ...

class Verification:
    @property
    def bending(self) -> BendingOutcome: ...
    @property
    def Mrd(self) -> float: ...
    @property
    def rho_M(self) -> Optional[float]: ...
    @property
    def epsilon(self) -> Optional[float]: ...
    @property
    def campo(self) -> int: ...
    @property
    def state(self) -> Optional[UltimateState]: ...
    @property
    def moments_at_Ned(self) -> Optional[Tuple[float, float]]: ...
    @property
    def shear(self) -> ShearOutcome: ...
    @property
    def Vrd(self) -> float: ...
    @property
    def rho_V(self) -> Optional[float]: ...
    @property
    def verified(self) -> bool: ...
    @property
    def reasons(self) -> List[str]: ...

class BiaxialVerification:
    @property
    def bending(self) -> BendingOutcome: ...
    @property
    def Mrd(self) -> float: ...
    @property
    def Mrdx(self) -> float: ...
    @property
    def Mrdy(self) -> float: ...
    @property
    def rho_M(self) -> Optional[float]: ...
    @property
    def MRx(self) -> Optional[float]: ...
    @property
    def MRy(self) -> Optional[float]: ...
    @property
    def moments_at_Ned(self) -> Optional[Tuple[float, float]]: ...
    @property
    def epsilon(self) -> Optional[float]: ...
    @property
    def alpha(self) -> Optional[float]: ...
    @property
    def campo(self) -> int: ...
    @property
    def last_trial_angle(self) -> float: ...
    @property
    def contour(self) -> npt.NDArray[np.float64]: ...
    @property
    def shear_x(self) -> ShearOutcome: ...
    @property
    def shear_y(self) -> ShearOutcome: ...
    @property
    def Vrdx(self) -> float: ...
    @property
    def Vrdy(self) -> float: ...
    @property
    def rho_V(self) -> Optional[float]: ...
    @property
    def verified(self) -> bool: ...
    @property
    def reasons(self) -> List[str]: ...

class PolygonVerification(BiaxialVerification):
    @property
    def rho_radial(self) -> Optional[float]: ...
    @property
    def neutral_axis_depth(self) -> Optional[float]: ...
    @property
    def compression_angle(self) -> Optional[float]: ...
    @property
    def verdict_ratio(self) -> UtilisationRatio: ...
    @property
    def gross_concrete_area(self) -> float: ...
    @property
    def net_concrete_area(self) -> float: ...
    @property
    def shear_checked(self) -> bool: ...
    @property
    def verified(self) -> bool: ...
    @property
    def reasons(self) -> List[str]: ...

def materials(design_code: str, steel_grade: str, concrete_class: str) -> MaterialSet: ...
@overload
def verify(
    section: Union[Rectangle, TSection, Circle],
    materials: MaterialSet,
    *,
    Ned: float,
    Med: float,
    Ved: float,
    settings: Optional[Settings] = None,
) -> Verification: ...
@overload
def verify(
    section: RectangleWithBars,
    materials: MaterialSet,
    *,
    Ned: float,
    Mx: float,
    My: float,
    Vx: float,
    Vy: float,
    settings: Optional[Settings] = None,
) -> BiaxialVerification: ...
@overload
def verify(
    section: PolygonSection,
    materials: MaterialSet,
    *,
    Ned: float,
    Mx: float = 0.0,
    My: float = 0.0,
    Vx: float = 0.0,
    Vy: float = 0.0,
    settings: Optional[Settings] = None,
) -> PolygonVerification: ...
def verify_many(
    section: Union[Rectangle, TSection, Circle, RectangleWithBars, PolygonSection],
    materials: MaterialSet,
    table: _Rows,
    *,
    settings: Optional[Settings] = None,
    threads: Optional[int] = None,
) -> dict[str, npt.NDArray[Any]]: ...
@overload
def domain(
    section: Union[Rectangle, TSection, Circle],
    materials: MaterialSet,
    settings: Optional[Settings] = None,
) -> npt.NDArray[np.float64]: ...
@overload
def domain(
    section: PolygonSection,
    materials: MaterialSet,
    *,
    angle: float = 0.0,
    settings: Optional[Settings] = None,
) -> npt.NDArray[np.float64]: ...
@overload
def contour(
    section: RectangleWithBars,
    materials: MaterialSet,
    Ned: float,
    settings: Optional[Settings] = None,
) -> npt.NDArray[np.float64]: ...
@overload
def contour(
    section: PolygonSection,
    materials: MaterialSet,
    Ned: float,
    *,
    directions: int = 72,
    settings: Optional[Settings] = None,
) -> npt.NDArray[np.float64]: ...
def surface(
    section: PolygonSection,
    materials: MaterialSet,
    *,
    levels: int = 50,
    directions: int = 72,
    settings: Optional[Settings] = None,
) -> dict[str, Any]: ...
