symmetry
--json
--moves
R2 L2
