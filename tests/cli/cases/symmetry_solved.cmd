symmetry
--json
--size
5
